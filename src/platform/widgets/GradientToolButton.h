#pragma once

#include <QColor>
#include <QToolButton>

// A flat tool button that is transparent over its background and shows a
// vertical gradient with a frame while the mouse is over it or it is pressed.
class GradientToolButton : public QToolButton
{
    Q_OBJECT
public:
    explicit GradientToolButton(QWidget *parent = nullptr);

    void setGradient(const QColor &top, const QColor &bottom, const QColor &frame);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_top{222, 224, 223};
    QColor m_bottom{123, 138, 176};
    QColor m_frame{23, 23, 33};
};

#pragma once

#include <QWidget>

// A one-pixel horizontal line that fades from a shadow colour at the left to a
// highlight colour at the right.
class Separator : public QWidget
{
    Q_OBJECT
public:
    explicit Separator(QWidget *parent = nullptr);

    void setColors(const QColor &shadow, const QColor &highlight);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_shadow;
    QColor m_highlight{Qt::white};
};

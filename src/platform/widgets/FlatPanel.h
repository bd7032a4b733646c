#pragma once

#include <QFrame>

// A panel with a one-pixel flat border, or a sunken status-style border.
class FlatPanel : public QFrame
{
    Q_OBJECT
public:
    enum class Border { Flat, Status };

    explicit FlatPanel(QWidget *parent = nullptr, Border border = Border::Flat);

    void setFill(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Border m_border;
    QColor m_fill;
};

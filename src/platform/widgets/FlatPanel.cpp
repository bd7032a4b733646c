#include "platform/widgets/FlatPanel.h"

#include <QPainter>

FlatPanel::FlatPanel(QWidget *parent, Border border)
    : QFrame(parent), m_border(border), m_fill(palette().color(QPalette::Button))
{
}

void FlatPanel::setFill(const QColor &color)
{
    m_fill = color;
    update();
}

void FlatPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), m_fill);
    if (m_border == Border::Flat) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(r);
        return;
    }
    // Sunken: shadow on the top and left, highlight on the bottom and right.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

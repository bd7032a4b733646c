#include "platform/widgets/Separator.h"

#include <QLinearGradient>
#include <QPainter>

Separator::Separator(QWidget *parent) : QWidget(parent), m_shadow(palette().color(QPalette::Dark)) {}

void Separator::setColors(const QColor &shadow, const QColor &highlight)
{
    m_shadow = shadow;
    m_highlight = highlight;
    update();
}

void Separator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, width(), 0);
    gradient.setColorAt(0, m_shadow);
    gradient.setColorAt(1, m_highlight);
    painter.fillRect(rect(), gradient);
}

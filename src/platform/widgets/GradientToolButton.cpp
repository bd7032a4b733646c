#include "platform/widgets/GradientToolButton.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyleOptionToolButton>

GradientToolButton::GradientToolButton(QWidget *parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
}

void GradientToolButton::setGradient(const QColor &top, const QColor &bottom, const QColor &frame)
{
    m_top = top;
    m_bottom = bottom;
    m_frame = frame;
    update();
}

void GradientToolButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool hot = underMouse() || isDown() || isChecked();
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    if (hot) {
        QLinearGradient gradient(frame.topLeft(), frame.bottomLeft());
        gradient.setColorAt(0, m_top);
        gradient.setColorAt(1, m_bottom);
        if (isDown()) {
            gradient.setColorAt(0, m_bottom);
            gradient.setColorAt(1, m_top);
        }
        painter.fillRect(frame, gradient);
        painter.setPen(m_frame);
        painter.drawRect(frame);
    }

    const QPixmap pixmap = icon().pixmap(iconSize());
    const QFontMetrics fm(font());
    painter.setPen(palette().color(QPalette::ButtonText));
    const int shift = isDown() ? 1 : 0;
    if (toolButtonStyle() == Qt::ToolButtonTextUnderIcon) {
        const int textHeight = fm.height();
        const int total = pixmap.isNull() ? textHeight : iconSize().height() + 4 + textHeight;
        int y = (height() - total) / 2 + shift;
        if (!pixmap.isNull()) {
            painter.drawPixmap((width() - iconSize().width()) / 2 + shift, y, pixmap);
            y += iconSize().height() + 4;
        }
        painter.drawText(QRect(shift, y, width(), textHeight), Qt::AlignHCenter | Qt::AlignTop, text());
    } else {
        const int textWidth = fm.horizontalAdvance(text());
        const int gap = pixmap.isNull() ? 0 : 3;
        const int total = (pixmap.isNull() ? 0 : iconSize().width()) + gap + textWidth;
        int x = (width() - total) / 2 + shift;
        if (!pixmap.isNull()) {
            painter.drawPixmap(x, (height() - iconSize().height()) / 2 + shift, pixmap);
            x += iconSize().width() + gap;
        }
        painter.drawText(QRect(x, shift, textWidth + 2, height()), Qt::AlignLeft | Qt::AlignVCenter, text());
    }
}

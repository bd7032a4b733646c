#include "platform/widgets/UrlLabel.h"

#include "platform/UrlOpener.h"

#include <QMouseEvent>

UrlLabel::UrlLabel(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
}

void UrlLabel::setTextColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void UrlLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void UrlLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (!wasPressed || event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    if (m_opensOwnUrl && !m_url.isEmpty())
        quorbel::UrlOpener::open(m_url);
    Q_EMIT clicked();
}

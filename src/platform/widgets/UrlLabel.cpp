#include "platform/widgets/UrlLabel.h"

#include "platform/UrlOpener.h"

#include <QMouseEvent>

UrlLabel::UrlLabel(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
    // Captions may come from outside (the advertisement list): never rich text.
    setTextFormat(Qt::PlainText);
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

QString UrlLabel::target() const
{
    const QString url = m_url.trimmed();
    return url.isEmpty() ? text().trimmed() : url;
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
    if (m_opensOwnUrl) {
        const QString target = this->target();
        if (!target.isEmpty() && (!m_targetFilter || m_targetFilter(target)))
            quorbel::UrlOpener::open(target);
    }
    Q_EMIT clicked();
}

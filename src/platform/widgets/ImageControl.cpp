#include "platform/widgets/ImageControl.h"

#include <QMouseEvent>
#include <QPainter>

ImageControl::ImageControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void ImageControl::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void ImageControl::clearPicture()
{
    m_picture = QPixmap();
    update();
}

void ImageControl::setStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void ImageControl::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, m_stretch);
    if (m_stretch)
        painter.drawPixmap(rect(), m_picture);
    else
        painter.drawPixmap(0, 0, m_picture);
}

void ImageControl::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void ImageControl::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

#include "platform/widgets/BitmapButton.h"

#include <QPainter>

BitmapButton::BitmapButton(QWidget *parent) : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
}

void BitmapButton::setPictures(const QPixmap &normal, const QPixmap &hot)
{
    m_normal = normal;
    m_hot = hot;
    update();
}

void BitmapButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, underMouse() ? m_hot : m_normal);
}

void BitmapButton::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    update();
}

void BitmapButton::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    update();
}

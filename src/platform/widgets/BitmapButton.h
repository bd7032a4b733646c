#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A button drawn entirely by two pictures: normal, and hot while the mouse is
// over it.
class BitmapButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit BitmapButton(QWidget *parent = nullptr);

    void setPictures(const QPixmap &normal, const QPixmap &hot);
    bool isHot() const { return underMouse(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QPixmap m_normal;
    QPixmap m_hot;
};

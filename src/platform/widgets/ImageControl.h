#pragma once

#include <QPixmap>
#include <QWidget>

// A picture control: draws its picture at the top left (or stretched to fill
// the control), carries an integer Tag and reports clicks.
class ImageControl : public QWidget
{
    Q_OBJECT
public:
    explicit ImageControl(QWidget *parent = nullptr);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    const QPixmap &picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);
    void clearPicture();

    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch);

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    int m_tag = 0;
    bool m_stretch = false;
    bool m_pressed = false;
};

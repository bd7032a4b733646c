#pragma once

#include <QLabel>

// A link label: underlined text in a fixed colour that opens its address
// through the desktop's opener when clicked.
class UrlLabel : public QLabel
{
    Q_OBJECT
public:
    explicit UrlLabel(QWidget *parent = nullptr);

    QString url() const { return m_url; }
    void setUrl(const QString &url) { m_url = url; }

    void setTextColor(const QColor &color);

    // When false the label only reports the click; its owner decides what opens.
    void setOpensOwnUrl(bool opens) { m_opensOwnUrl = opens; }

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_url;
    bool m_opensOwnUrl = true;
    bool m_pressed = false;
};

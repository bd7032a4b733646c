#pragma once

#include <QLabel>

#include <functional>

// A link label: underlined plain text in a fixed colour that opens its address
// (its caption when the address is blank) through the desktop's opener when
// clicked.
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

    // Targets the filter refuses are not opened (the click is still reported).
    using TargetFilter = std::function<bool(const QString &target)>;
    void setTargetFilter(TargetFilter filter) { m_targetFilter = std::move(filter); }

    // What a click opens: the address, or the caption when the address is
    // blank; without surrounding blanks.
    QString target() const;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_url;
    TargetFilter m_targetFilter;
    bool m_opensOwnUrl = true;
    bool m_pressed = false;
};

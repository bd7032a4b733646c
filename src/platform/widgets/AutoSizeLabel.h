#pragma once

#include <QLabel>

// A label that keeps its top left corner and takes the size of its text
// whenever the text changes.
class AutoSizeLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    void setText(const QString &text)
    {
        QLabel::setText(text);
        resize(sizeHint());
    }
};

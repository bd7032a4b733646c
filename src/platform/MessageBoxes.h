#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace quorbel {

enum class MessageIcon { Information, Warning, Error };

struct MessageRecord
{
    QString caption;
    QString text;
    MessageIcon icon;
};

// Every message box of the program goes through here (one OK button). Tests
// install a responder that takes the message instead of a modal loop.
class MessageBoxes
{
public:
    using Responder = std::function<void(const MessageRecord &)>;

    static void show(QWidget *parent, const QString &text, const QString &caption, MessageIcon icon);

    // The application's standard error report: the error's text, the
    // application title as caption and the error icon.
    static void showError(QWidget *parent, const QString &text);

    static void setResponder(Responder responder);
    static bool hasResponder();
};

// Sets the application's title (the caption of the standard error report and
// of the taskbar button) and reads it back.
void SetApplicationTitle(const QString &title);
QString ApplicationTitle();

} // namespace quorbel

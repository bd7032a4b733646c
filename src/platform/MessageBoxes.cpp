#include "platform/MessageBoxes.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace quorbel {

namespace {
MessageBoxes::Responder &responderSlot()
{
    static MessageBoxes::Responder responder;
    return responder;
}

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void MessageBoxes::show(QWidget *parent, const QString &text, const QString &caption, MessageIcon icon)
{
    if (const Responder &responder = responderSlot()) {
        responder(MessageRecord{caption, text, icon});
        return;
    }
    QMessageBox box(toQtIcon(icon), caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void MessageBoxes::showError(QWidget *parent, const QString &text)
{
    show(parent, text, ApplicationTitle(), MessageIcon::Error);
}

void MessageBoxes::setResponder(Responder responder)
{
    responderSlot() = std::move(responder);
}

bool MessageBoxes::hasResponder()
{
    return bool(responderSlot());
}

void SetApplicationTitle(const QString &title)
{
    QGuiApplication::setApplicationDisplayName(title);
}

QString ApplicationTitle()
{
    return QGuiApplication::applicationDisplayName();
}

} // namespace quorbel

#include "platform/MessageBoxes.h"

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

namespace {
// Kept apart from Qt's application display name, which Qt would append to
// every window title ("保存 — Quorbel").
QString &applicationTitleSlot()
{
    static QString title;
    return title;
}
} // namespace

void SetApplicationTitle(const QString &title)
{
    applicationTitleSlot() = title;
}

QString ApplicationTitle()
{
    return applicationTitleSlot();
}

} // namespace quorbel

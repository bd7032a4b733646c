#include "platform/ModalDialogs.h"

#include <QDialog>

namespace quorbel {

namespace {
ModalDialogs::Responder &responderSlot()
{
    static ModalDialogs::Responder responder;
    return responder;
}
} // namespace

int ModalDialogs::exec(QDialog &dialog)
{
    if (const Responder &responder = responderSlot()) {
        dialog.setResult(QDialog::Rejected);
        responder(dialog);
        return dialog.result();
    }
    return dialog.exec();
}

void ModalDialogs::setResponder(Responder responder)
{
    responderSlot() = std::move(responder);
}

} // namespace quorbel

#pragma once

#include <functional>

class QDialog;

namespace quorbel {

// Runs a dialog modally and returns its result code. A test installs a
// responder that is handed the dialog instead (it may fill it in and accept or
// reject it); the dialog's result() is then returned without a modal loop.
class ModalDialogs
{
public:
    using Responder = std::function<void(QDialog &)>;

    static int exec(QDialog &dialog);
    static void setResponder(Responder responder);
};

} // namespace quorbel

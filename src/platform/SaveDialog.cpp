#include "platform/SaveDialog.h"

#include "platform/ModalDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace quorbel {

namespace {
SaveDialog::Responder &responderSlot()
{
    static SaveDialog::Responder responder;
    return responder;
}

SaveDialog::QuestionResponder &questionSlot()
{
    static SaveDialog::QuestionResponder responder;
    return responder;
}
} // namespace

bool SaveDialog::execute(QWidget *parent)
{
    SaveDialogRequest request{m_title, m_filter, m_defaultSuffix, m_fileName};
    for (;;) {
        const QString chosen = choose(parent, request);
        if (chosen.isEmpty())
            return false;
        const QString path = withDefaultSuffix(chosen);
        if (!QFileInfo::exists(path) || confirmOverwrite(parent, path)) {
            m_fileName = path;
            return true;
        }
        // Not replaced: the choice starts again from the name just refused.
        request.ProposedFileName = path;
    }
}

QString SaveDialog::choose(QWidget *parent, const SaveDialogRequest &request) const
{
    if (const Responder &responder = responderSlot())
        return responder(request);

    QFileDialog dialog(parent, request.Title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.Filter);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    // The question is asked here, the same way with and without a responder.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.ProposedFileName.isEmpty())
        dialog.selectFile(request.ProposedFileName);
    if (ModalDialogs::exec(dialog) != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QString SaveDialog::withDefaultSuffix(const QString &path) const
{
    if (m_defaultSuffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + m_defaultSuffix;
}

bool SaveDialog::confirmOverwrite(QWidget *parent, const QString &path)
{
    const QString caption = overwriteCaption();
    const QString text = overwriteText(path);
    if (const QuestionResponder &responder = questionSlot())
        return responder(caption, text);

    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return ModalDialogs::exec(box) == QMessageBox::Yes;
}

QString SaveDialog::overwriteCaption()
{
    return QStringLiteral("确认另存为");
}

QString SaveDialog::overwriteText(const QString &path)
{
    return QStringLiteral("%1 已存在。\n要替换它吗？").arg(QFileInfo(path).fileName());
}

void SaveDialog::setResponder(Responder responder)
{
    responderSlot() = std::move(responder);
}

void SaveDialog::setQuestionResponder(QuestionResponder responder)
{
    questionSlot() = std::move(responder);
}

} // namespace quorbel

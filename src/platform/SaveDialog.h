#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace quorbel {

// What the save dialog shows: its title, its one name filter (such as
// "文本(*.txt)"), the suffix given to a name typed without one, and the name
// it proposes (the one chosen last).
struct SaveDialogRequest
{
    QString Title;
    QString Filter;
    QString DefaultSuffix;
    QString ProposedFileName;
};

// A file-save dialog that keeps its settings and the name chosen last between
// uses. Choosing an existing file asks before replacing it; "no" goes back to
// the choice. Tests answer the choice and the question through responders, so
// no test ever opens a real dialog.
class SaveDialog
{
public:
    // Returns the chosen path, or an empty text for Cancel.
    using Responder = std::function<QString(const SaveDialogRequest &)>;
    // Returns true to replace the file.
    using QuestionResponder = std::function<bool(const QString &caption, const QString &text)>;

    void setTitle(const QString &title) { m_title = title; }
    QString title() const { return m_title; }
    void setFilter(const QString &filter) { m_filter = filter; }
    QString filter() const { return m_filter; }
    void setDefaultSuffix(const QString &suffix) { m_defaultSuffix = suffix; }
    QString defaultSuffix() const { return m_defaultSuffix; }
    void setFileName(const QString &fileName) { m_fileName = fileName; }
    QString fileName() const { return m_fileName; }

    // Runs the dialog. True when a file was chosen (and, when it exists,
    // replacing it was agreed); fileName() then holds its path.
    bool execute(QWidget *parent);

    static void setResponder(Responder responder);
    static void setQuestionResponder(QuestionResponder responder);

    // The overwrite question for `path`: its caption and its text.
    static QString overwriteCaption();
    static QString overwriteText(const QString &path);

private:
    QString choose(QWidget *parent, const SaveDialogRequest &request) const;
    QString withDefaultSuffix(const QString &path) const;
    static bool confirmOverwrite(QWidget *parent, const QString &path);

    QString m_title;
    QString m_filter;
    QString m_defaultSuffix;
    QString m_fileName;
};

} // namespace quorbel

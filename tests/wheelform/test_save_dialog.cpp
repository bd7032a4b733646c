#include "platform/ModalDialogs.h"
#include "platform/SaveDialog.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorbel;

namespace {

SaveDialog textDialog()
{
    SaveDialog dialog;
    dialog.setTitle(QStringLiteral("保存"));
    dialog.setFilter(QStringLiteral("文本(*.txt)"));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    return dialog;
}

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestSaveDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        SaveDialog::setResponder({});
        SaveDialog::setQuestionResponder({});
        ModalDialogs::setResponder({});
    }

    void defaultSuffixOnlyForNamesWithoutOne_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("no suffix") << "bets" << "bets.txt";
        QTest::newRow("txt") << "bets.txt" << "bets.txt";
        QTest::newRow("upper case") << "bets.TXT" << "bets.TXT";
        QTest::newRow("other suffix") << "bets.csv" << "bets.csv";
        QTest::newRow("dotted folder") << "my.folder/bets" << "my.folder/bets.txt";
    }
    void defaultSuffixOnlyForNamesWithoutOne()
    {
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        SaveDialog::setResponder([&](const SaveDialogRequest &) { return dir.filePath(typed); });
        SaveDialog dialog = textDialog();
        QVERIFY(dialog.execute(nullptr));
        QCOMPARE(dialog.fileName(), dir.filePath(chosen));
    }

    // Without a question responder the question is a real message box, which
    // a modal-dialog responder answers with its real buttons.
    void overwriteQuestionIsARealYesNoBox()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bets.txt"));
        touch(path);
        int choices = 0;
        SaveDialog::setResponder([&](const SaveDialogRequest &) {
            ++choices;
            return path;
        });
        QStringList answered;
        ModalDialogs::setResponder([&](QDialog &dialog) {
            auto *box = qobject_cast<QMessageBox *>(&dialog);
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QStringLiteral("确认另存为"));
            QCOMPARE(box->text(), QStringLiteral("bets.txt 已存在。\n要替换它吗？"));
            QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            const auto answer = answered.isEmpty() ? QMessageBox::No : QMessageBox::Yes;
            answered << (answer == QMessageBox::No ? QStringLiteral("no") : QStringLiteral("yes"));
            box->button(answer)->click();
        });
        SaveDialog dialog = textDialog();
        QVERIFY(dialog.execute(nullptr));
        QCOMPARE(answered, (QStringList{QStringLiteral("no"), QStringLiteral("yes")}));
        QCOMPARE(choices, 2);
        QCOMPARE(dialog.fileName(), path);
    }

    // Without any save responder the real file dialog is built and handed to
    // the modal-dialog wrapper.
    void realFileDialogCarriesTheSettings()
    {
        QTemporaryDir dir;
        const QString proposed = dir.filePath(QStringLiteral("last.txt"));
        const QString picked = dir.filePath(QStringLiteral("picked.txt"));
        bool accept = false;
        ModalDialogs::setResponder([&](QDialog &dialog) {
            auto *files = qobject_cast<QFileDialog *>(&dialog);
            QVERIFY(files);
            QCOMPARE(files->windowTitle(), QStringLiteral("保存"));
            QCOMPARE(files->nameFilters(), QStringList{QStringLiteral("文本(*.txt)")});
            QCOMPARE(files->defaultSuffix(), QStringLiteral("txt"));
            QCOMPARE(files->acceptMode(), QFileDialog::AcceptSave);
            QVERIFY(files->testOption(QFileDialog::DontConfirmOverwrite));
            QCOMPARE(files->selectedFiles().value(0), proposed);
            if (!accept) {
                files->reject();
                return;
            }
            files->selectFile(picked);
            dialog.accept();
        });
        SaveDialog dialog = textDialog();
        dialog.setFileName(proposed);
        QVERIFY(!dialog.execute(nullptr));
        QCOMPARE(dialog.fileName(), proposed);

        accept = true;
        QVERIFY(dialog.execute(nullptr));
        QCOMPARE(dialog.fileName(), picked);
    }
};

QTEST_MAIN(TestSaveDialog)
#include "test_save_dialog.moc"

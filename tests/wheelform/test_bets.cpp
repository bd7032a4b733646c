#include "WheelFormFixture.h"

#include "platform/SaveDialog.h"
#include "wheel/BetExpansion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

using namespace quorbel;
using namespace wheelform;

namespace {

const QVector<int> WorkedSelection{12, 3, 25, 7, 30, 18, 9, 21, 14};
const QString WorkedBets = QStringLiteral(" 03  07  09  12  18  25  30 \n 07  09  14  18  21  25  30 ");

// Answers the save dialog and its overwrite question while it lives, and
// keeps what they were asked.
class SaveAnswers
{
public:
    SaveAnswers(QStringList choices, QVector<bool> replies = {})
        : m_choices(std::move(choices)), m_replies(std::move(replies))
    {
        SaveDialog::setResponder([this](const SaveDialogRequest &request) {
            requests.append(request);
            return m_choices.isEmpty() ? QString() : m_choices.takeFirst();
        });
        SaveDialog::setQuestionResponder([this](const QString &caption, const QString &text) {
            questions.append({caption, text});
            return m_replies.isEmpty() ? false : m_replies.takeFirst();
        });
    }
    ~SaveAnswers()
    {
        SaveDialog::setResponder({});
        SaveDialog::setQuestionResponder({});
    }

    QVector<SaveDialogRequest> requests;
    QVector<QPair<QString, QString>> questions;

private:
    QStringList m_choices;
    QVector<bool> m_replies;
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString betsOf(TFrmSortivo &form)
{
    return SortivoProbe::betList(form)->toPlainText();
}

void clickCreate(TFrmSortivo &form)
{
    QTest::mouseClick(form.findChild<QWidget *>(QStringLiteral("BtnCreate")), Qt::LeftButton);
}

void clickSave(TFrmSortivo &form)
{
    QTest::mouseClick(form.findChild<QWidget *>(QStringLiteral("BtnSave")), Qt::LeftButton);
}

void setRows(TFrmSortivo &form, const QString &name, const QVector<QVector<qint32>> &rows)
{
    quorbel::TGSList &list = SortivoProbe::formulas(form);
    const int index = quorbel::FindGS(list, name);
    QVERIFY(index >= 0);
    list[index].Rows = rows;
}

using FormChange = std::function<void(TFrmSortivo &)>;

} // namespace

Q_DECLARE_METATYPE(FormChange)

class TestBets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        isolateFromNetwork();
        installFormulaFile();
    }

    void workedExampleGivesExactlyItsTwoLines()
    {
        MessageLog log;
        auto form = makeShownForm();
        clickBalls(*form, WorkedSelection);
        clickCreate(*form);
        QCOMPARE(betsOf(*form), WorkedBets);
        QVERIFY(log.records.isEmpty());

        // Another order of the same numbers gives other bets.
        QTest::mouseClick(form->findChild<QWidget *>(QStringLiteral("BtnClear")), Qt::LeftButton);
        clickBalls(*form, {14, 21, 9, 18, 30, 7, 25, 3, 12});
        clickCreate(*form);
        QCOMPARE(betsOf(*form), QStringLiteral(" 07  09  14  18  21  25  30 \n 03  07  09  12  18  25  30 "));
    }

    void refusedGenerationLeavesTheEarlierBets_data()
    {
        QTest::addColumn<FormChange>("change");
        QTest::addColumn<QString>("warning");
        const auto withRows = [](QVector<QVector<qint32>> rows) {
            return FormChange([rows](TFrmSortivo &form) { setRows(form, QStringLiteral("选9中7保6"), rows); });
        };
        QTest::newRow("eight numbers") << FormChange([](TFrmSortivo &form) { clickBall(form, 14); })
                                       << QStringLiteral("最少选择9个号码");
        QTest::newRow("no formula for eleven")
            << FormChange([](TFrmSortivo &form) { clickBalls(form, {1, 2}); }) << QStringLiteral("无法获得计算公式");
        QTest::newRow("empty formula table")
            << FormChange([](TFrmSortivo &form) { SortivoProbe::formulas(form).clear(); })
            << QStringLiteral("无法获得计算公式");
        QTest::newRow("position 0 from a short row")
            << withRows({{1, 2, 3, 4, 5, 6, 7}, {3, 4, 5, 6, 7, 0, 0}})
            << PositionFaultText(QStringLiteral("选9中7保6"), {2, 6, 0}, 9);
        QTest::newRow("negative position") << withRows({{1, 2, -3, 4, 5, 6, 7}})
                                           << PositionFaultText(QStringLiteral("选9中7保6"), {1, 3, -3}, 9);
        QTest::newRow("position above the count") << withRows({{1, 2, 3, 4, 5, 6, 10}})
                                                  << PositionFaultText(QStringLiteral("选9中7保6"), {1, 7, 10}, 9);
    }
    void refusedGenerationLeavesTheEarlierBets()
    {
        QFETCH(FormChange, change);
        MessageLog log;
        auto form = makeShownForm();
        clickBalls(*form, WorkedSelection);
        clickCreate(*form);
        QCOMPARE(betsOf(*form), WorkedBets);

        change(*form);
        clickCreate(*form);
        QCOMPARE(log.records.size(), 1);
        QTEST(log.records[0].text, "warning");
        QCOMPARE(log.records[0].caption, QStringLiteral("警告"));
        QCOMPARE(log.records[0].icon, MessageIcon::Warning);
        QCOMPARE(betsOf(*form), WorkedBets);
    }

    void formulaWithoutRowsEmptiesTheList()
    {
        MessageLog log;
        auto form = makeShownForm();
        clickBalls(*form, WorkedSelection);
        clickCreate(*form);
        setRows(*form, QStringLiteral("选9中7保6"), {});
        clickCreate(*form);
        QCOMPARE(betsOf(*form), QString());
        QVERIFY(log.records.isEmpty());
    }

    void ruleChangeTakesEffectAtTheNextGeneration()
    {
        MessageLog log;
        auto form = makeShownForm();
        clickBalls(*form, WorkedSelection);
        clickCreate(*form);
        QComboBox *rule = SortivoProbe::ruleBox(*form);
        rule->setFocus();
        QTest::keyClick(rule, Qt::Key_Down);
        QCOMPARE(rule->currentText(), QStringLiteral("中7保5"));
        QCOMPARE(betsOf(*form), WorkedBets);
        clickCreate(*form);
        // "选9中7保5" has three rows cycling through the selection.
        QCOMPARE(betsOf(*form).split(QLatin1Char('\n')).size(), 3);
        QCOMPARE(betsOf(*form).split(QLatin1Char('\n')).first(), QStringLiteral(" 03  07  09  12  18  25  30 "));
    }

    void savedFileHoldsTheLinesInCodePage936WithCrLf()
    {
        MessageLog log;
        QTemporaryDir dir;
        auto form = makeShownForm();
        clickBalls(*form, WorkedSelection);
        clickCreate(*form);
        SaveAnswers answers({dir.filePath(QStringLiteral("bets")), dir.filePath(QStringLiteral("again.txt"))});
        clickSave(*form);
        QCOMPARE(readAll(dir.filePath(QStringLiteral("bets.txt"))),
                 QByteArray(" 03  07  09  12  18  25  30 \r\n 07  09  14  18  21  25  30 \r\n"));

        QCOMPARE(answers.requests.size(), 1);
        const SaveDialogRequest &request = answers.requests[0];
        QCOMPARE(request.Title, QStringLiteral("保存"));
        QCOMPARE(request.Filter, QStringLiteral("文本(*.txt)"));
        QCOMPARE(request.DefaultSuffix, QStringLiteral("txt"));
        QCOMPARE(request.ProposedFileName, QString());

        // The next save proposes the name chosen last.
        clickSave(*form);
        QCOMPARE(answers.requests.size(), 2);
        QCOMPARE(answers.requests[1].ProposedFileName, dir.filePath(QStringLiteral("bets.txt")));
        QCOMPARE(readAll(dir.filePath(QStringLiteral("again.txt"))), readAll(dir.filePath(QStringLiteral("bets.txt"))));
        QVERIFY(answers.questions.isEmpty());
        QVERIFY(log.records.isEmpty());
    }

    void emptyListGivesAnEmptyFile()
    {
        MessageLog log;
        QTemporaryDir dir;
        auto form = makeShownForm();
        SaveAnswers answers({dir.filePath(QStringLiteral("empty.txt"))});
        clickSave(*form);
        QCOMPARE(readAll(dir.filePath(QStringLiteral("empty.txt"))), QByteArray());
    }

    void overwritingAsksFirst()
    {
        MessageLog log;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bets.txt"));
        writeAll(path, "earlier\r\n");
        auto form = makeShownForm();
        clickBalls(*form, WorkedSelection);
        clickCreate(*form);

        {
            // "No" goes back to the choice, which is then cancelled.
            SaveAnswers answers({path}, {false});
            clickSave(*form);
            QCOMPARE(answers.questions.size(), 1);
            QCOMPARE(answers.questions[0].first, QStringLiteral("确认另存为"));
            QCOMPARE(answers.questions[0].second, QStringLiteral("bets.txt 已存在。\n要替换它吗？"));
            QCOMPARE(answers.requests.size(), 2);
            QCOMPARE(answers.requests[1].ProposedFileName, path);
            QCOMPARE(readAll(path), QByteArray("earlier\r\n"));
        }
        {
            SaveAnswers answers({path}, {true});
            clickSave(*form);
            QCOMPARE(answers.questions.size(), 1);
            QCOMPARE(readAll(path), QByteArray(" 03  07  09  12  18  25  30 \r\n 07  09  14  18  21  25  30 \r\n"));
        }
        QVERIFY(log.records.isEmpty());
    }

    void cancelledSaveWritesNothing()
    {
        MessageLog log;
        QTemporaryDir dir;
        auto form = makeShownForm();
        SaveAnswers answers({});
        clickSave(*form);
        QCOMPARE(answers.requests.size(), 1);
        QVERIFY(QDir(dir.path()).isEmpty());
        QVERIFY(log.records.isEmpty());
    }

    void fileThatCannotBeCreatedGoesToTheErrorReport()
    {
        MessageLog log;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing folder/bets.txt"));
        auto form = makeShownForm();
        clickBalls(*form, WorkedSelection);
        clickCreate(*form);
        SaveAnswers answers({path});
        clickSave(*form);
        QCOMPARE(log.records.size(), 1);
        const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(path);
        QVERIFY2(log.records[0].text.startsWith(prefix), qPrintable(log.records[0].text));
        QVERIFY(log.records[0].text.size() > prefix.size());
        QCOMPARE(log.records[0].caption, QStringLiteral("Quorbel"));
        QCOMPARE(log.records[0].icon, MessageIcon::Error);
        QCOMPARE(betsOf(*form), WorkedBets);
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(TestBets)
#include "test_bets.moc"

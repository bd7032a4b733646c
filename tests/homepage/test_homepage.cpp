// The start page in the user's settings store and the sponsorship dialog.
// The store is the real one under a temporary XDG_CONFIG_HOME set before the
// application object exists.

#include "homepage/UnitHomepage.h"
#include "homepage/UserRegistry.h"
#include "platform/AppError.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalDialogs.h"
#include "platform/UrlOpener.h"
#include "platform/widgets/Separator.h"
#include "platform/widgets/UrlLabel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <optional>

using namespace quorbel;

namespace {

QString ConfigHome;

QString storeFolder()
{
    return ConfigHome + QStringLiteral("/Quorbel");
}

QString storeFile()
{
    return storeFolder() + QStringLiteral("/registry.ini");
}

void writeRawStore(const QByteArray &text)
{
    QDir().mkpath(storeFolder());
    QFile file(storeFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

// The store as another reader sees it, without going through the code under test.
std::optional<QString> storedStartPage()
{
    if (!QFile::exists(storeFile()))
        return std::nullopt;
    const QSettings store(storeFile(), QSettings::IniFormat);
    const QVariant value = store.value(QStringLiteral("HKEY_CURRENT_USER/SoftWare/MicroSoft/Internet Explorer/Main/Start Page"));
    if (!value.isValid())
        return std::nullopt;
    return value.toString();
}

// Ways to make the store impossible to write, for root as well.
void blockStore(const QString &how)
{
    if (how == QLatin1String("file is a folder")) {
        QVERIFY(QDir().mkpath(storeFile()));
    } else {
        QFile folderAsFile(storeFolder());
        QVERIFY(folderAsFile.open(QIODevice::WriteOnly));
    }
}

} // namespace

class TestHomePage : public QObject
{
    Q_OBJECT

private:
    QList<MessageRecord> m_messages;
    QStringList m_opened;
    int m_dialogsShown = 0;

    void respondWith(std::function<void(TFormHomePage &)> respond)
    {
        ModalDialogs::setResponder([this, respond](QDialog &dialog) {
            ++m_dialogsShown;
            auto *form = qobject_cast<TFormHomePage *>(&dialog);
            QVERIFY(form);
            respond(*form);
        });
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(storeFolder());
        QDir(storeFolder()).removeRecursively();
        m_messages.clear();
        m_opened.clear();
        m_dialogsShown = 0;
        MessageBoxes::setResponder([this](const MessageRecord &message) { m_messages << message; });
        UrlOpener::setOpener([this](const QString &target) {
            m_opened << target;
            return true;
        });
        ModalDialogs::setResponder([this](QDialog &) { ++m_dialogsShown; });
    }

    void storeIsTheApplicationsIniInTheConfigHome()
    {
        QCOMPARE(UserRegistryPath(), ConfigHome + QStringLiteral("/Quorbel/registry.ini"));
    }

    void readingGivesEmptyTextForWhatIsNoStartPage_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("no store") << QByteArray();
        QTest::newRow("other key") << QByteArray("[HKEY_CURRENT_USER]\nSoftWare\\Other\\Start%20Page=http://a/\n");
        QTest::newRow("a list") << QByteArray(
            "[HKEY_CURRENT_USER]\nSoftWare\\MicroSoft\\Internet%20Explorer\\Main\\Start%20Page=a, b\n");
        QTest::newRow("a point") << QByteArray(
            "[HKEY_CURRENT_USER]\nSoftWare\\MicroSoft\\Internet%20Explorer\\Main\\Start%20Page=@Point(1 2)\n");
        QTest::newRow("bytes") << QByteArray(
            "[HKEY_CURRENT_USER]\nSoftWare\\MicroSoft\\Internet%20Explorer\\Main\\Start%20Page=@ByteArray(http://a/)\n");
    }

    void readingGivesEmptyTextForWhatIsNoStartPage()
    {
        QFETCH(QByteArray, ini);
        if (!ini.isEmpty())
            writeRawStore(ini);
        QString page = QStringLiteral("stale");
        GetIEStartPage(page);
        QCOMPARE(page, QString());
    }

    void readingAnUnreadableStoreGivesEmptyText()
    {
        blockStore(QStringLiteral("file is a folder"));
        QString page = QStringLiteral("stale");
        GetIEStartPage(page);
        QCOMPARE(page, QString());
    }

    void writingCreatesTheStoreAndReadsBack()
    {
        const QString page = QStringLiteral("http://例子.example/首页?a=1&b=2");
        SetIEStartPage(page);
        QCOMPARE(storedStartPage(), std::optional<QString>(page));
        QString read;
        GetIEStartPage(read);
        QCOMPARE(read, page);
        // Another value in the same store survives a rewrite.
        {
            QSettings other(storeFile(), QSettings::IniFormat);
            other.setValue(QStringLiteral("Other/Key"), QStringLiteral("kept"));
        }
        SetIEStartPage(QStringLiteral("https://b.example/"));
        QCOMPARE(storedStartPage(), std::optional<QString>(QStringLiteral("https://b.example/")));
        QCOMPARE(QSettings(storeFile(), QSettings::IniFormat).value(QStringLiteral("Other/Key")).toString(),
                 QStringLiteral("kept"));
    }

    void writingAnUnwritableStoreRaises_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("registry.ini is a folder") << QStringLiteral("file is a folder");
        QTest::newRow("its folder is a file") << QStringLiteral("folder is a file");
    }

    void writingAnUnwritableStoreRaises()
    {
        QFETCH(QString, how);
        blockStore(how);
        try {
            SetIEStartPage(QStringLiteral("http://a.example/"));
            QFAIL("no error raised");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QStringLiteral("Failed to set data for 'Start Page'"));
        }
    }

    void dialogLayout()
    {
        TFormHomePage form;
        QCOMPARE(form.windowTitle(), QStringLiteral("赞助软件作者"));
        QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        auto *label1 = form.findChild<QLabel *>(QStringLiteral("Label1"));
        auto *label2 = form.findChild<QLabel *>(QStringLiteral("Label2"));
        QVERIFY(label1 && label2);
        QCOMPARE(label1->text(), QStringLiteral("本软件是免费软件，为支持作者的艰辛工作......"));
        QCOMPARE(label2->text(), QStringLiteral("请点击“确定”按钮，将下列网址设为浏览器主页，谢谢！"));
        QCOMPARE(label1->pos(), QPoint(24, 38));
        QCOMPARE(label2->pos(), QPoint(24, 58));
        QCOMPARE(form.findChild<UrlLabel *>(QStringLiteral("RzURLLabel1"))->pos(), QPoint(24, 88));
        QCOMPARE(form.findChild<UrlLabel *>(QStringLiteral("RzURLLabel2"))->pos(), QPoint(24, 112));
        QCOMPARE(form.findChild<Separator *>(QStringLiteral("RzSeparator1"))->geometry(), QRect(0, 161, 359, 1));
        auto *ok = form.findChild<QPushButton *>(QStringLiteral("RzButton1"));
        auto *cancel = form.findChild<QPushButton *>(QStringLiteral("RzButton2"));
        QVERIFY(ok && cancel);
        QCOMPARE(ok->text(), QStringLiteral("确定(&O)"));
        QCOMPARE(cancel->text(), QStringLiteral("取消(&C)"));
        QCOMPARE(ok->geometry(), QRect(176, 178, 75, 23));
        QCOMPARE(cancel->geometry(), QRect(256, 178, 75, 23));
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->nextInFocusChain(), cancel);
        // The buttons take the form's 9-point Song face; the links keep Tahoma.
        QCOMPARE(ok->font().pointSizeF(), 9.0);
        QCOMPARE(form.RzURLLabel1->font().pixelSize(), 11);
    }

    void equalAddressesOnlyThank_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("same address") << QStringLiteral("http://a.example/") << QStringLiteral("http://a.example/");
        QTest::newRow("nothing set, empty proposal") << QString() << QString();
    }

    void equalAddressesOnlyThank()
    {
        QFETCH(QString, current);
        QFETCH(QString, proposed);
        if (!current.isEmpty())
            SetIEStartPage(current);
        ShowHomePage(proposed);
        QCOMPARE(m_dialogsShown, 0);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QStringLiteral("您已经赞助过软件作者，谢谢！"));
        QCOMPARE(m_messages[0].caption, QStringLiteral("信息"));
        QCOMPARE(m_messages[0].icon, MessageIcon::Information);
        QCOMPARE(storedStartPage().value_or(QString()), current);
    }

    void differingAddressesShowTheDialog_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("letter case") << QStringLiteral("http://a.example/") << QStringLiteral("http://A.example/");
        QTest::newRow("trailing slash") << QStringLiteral("http://a.example/") << QStringLiteral("http://a.example");
        QTest::newRow("nothing set") << QString() << QStringLiteral("http://a.example/");
    }

    void differingAddressesShowTheDialog()
    {
        QFETCH(QString, current);
        QFETCH(QString, proposed);
        if (!current.isEmpty())
            SetIEStartPage(current);
        respondWith([&](TFormHomePage &form) {
            QCOMPARE(form.RzURLLabel1->text(), QStringLiteral("当前主页: ") + current);
            QCOMPARE(form.RzURLLabel1->url(), current);
            QCOMPARE(form.RzURLLabel2->text(), QStringLiteral("修改为: ") + proposed);
            QCOMPARE(form.RzURLLabel2->url(), proposed);
            form.reject();
        });
        ShowHomePage(proposed);
        QCOMPARE(m_dialogsShown, 1);
        QVERIFY(m_messages.isEmpty());
    }

    void okWritesTheProposedAddressEvenIntoNoStore()
    {
        respondWith([](TFormHomePage &form) {
            // Only the address counts, not the caption around it.
            form.RzButton1->click();
            QCOMPARE(form.result(), int(QDialog::Accepted));
        });
        ShowHomePage(QStringLiteral("https://sponsor.example/"));
        QCOMPARE(m_dialogsShown, 1);
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(storedStartPage(), std::optional<QString>(QStringLiteral("https://sponsor.example/")));
    }

    void cancelAndCloseBoxWriteNothing_data()
    {
        QTest::addColumn<bool>("storeExists");
        QTest::addColumn<bool>("viaCloseBox");
        QTest::newRow("cancel, no store") << false << false;
        QTest::newRow("close box, no store") << false << true;
        QTest::newRow("cancel, page set") << true << false;
        QTest::newRow("close box, page set") << true << true;
    }

    void cancelAndCloseBoxWriteNothing()
    {
        QFETCH(bool, storeExists);
        QFETCH(bool, viaCloseBox);
        if (storeExists)
            SetIEStartPage(QStringLiteral("http://old.example/"));
        respondWith([&](TFormHomePage &form) {
            form.show();
            if (viaCloseBox)
                form.close();
            else
                form.RzButton2->click();
            QVERIFY(!form.isVisible());
            QCOMPARE(form.result(), int(QDialog::Rejected));
        });
        ShowHomePage(QStringLiteral("http://new.example/"));
        QCOMPARE(m_dialogsShown, 1);
        if (storeExists)
            QCOMPARE(storedStartPage(), std::optional<QString>(QStringLiteral("http://old.example/")));
        else
            QVERIFY(!QFile::exists(storeFile()));
    }

    void unwritableStoreReportsAndKeepsTheDialogOpen_data()
    {
        writingAnUnwritableStoreRaises_data();
    }

    void unwritableStoreReportsAndKeepsTheDialogOpen()
    {
        QFETCH(QString, how);
        blockStore(how);
        bool stillOpen = false;
        respondWith([&](TFormHomePage &form) {
            form.show();
            form.RzButton1->click();
            stillOpen = form.isVisible() && form.result() != QDialog::Accepted;
            form.reject();
        });
        ShowHomePage(QStringLiteral("http://new.example/"));
        QVERIFY(stillOpen);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QStringLiteral("Failed to set data for 'Start Page'"));
        QCOMPARE(m_messages[0].caption, ApplicationTitle());
        QCOMPARE(m_messages[0].icon, MessageIcon::Error);
    }

    void linkLabelsOpenWebAddressesAndKeepTheDialogOpen()
    {
        SetIEStartPage(QStringLiteral("file:///etc/passwd"));
        respondWith([](TFormHomePage &form) {
            form.show();
            QTest::mouseClick(form.RzURLLabel2, Qt::LeftButton);
            QTest::mouseClick(form.RzURLLabel1, Qt::LeftButton);
            QVERIFY(form.isVisible());
            form.reject();
        });
        ShowHomePage(QStringLiteral("http://new.example/"));
        // The local file is no web address: it is not handed to the desktop.
        QCOMPARE(m_opened, QStringList{QStringLiteral("http://new.example/")});
        QCOMPARE(storedStartPage(), std::optional<QString>(QStringLiteral("file:///etc/passwd")));
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir configHome;
    if (!configHome.isValid())
        return 1;
    ConfigHome = configHome.path();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(ConfigHome));
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorbel"));
    TestHomePage test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_homepage.moc"

// The advertisement strip of the main form, driven headless: the slots, the
// picture panel, the rotation, the workers' messages and the clicks. Pictures
// are "downloaded" by a fake; the desktop opener and chooser are fakes too.

#include "ads/ADMessages.h"
#include "app/AppPath.h"
#include "app/UnitSortivo.h"
#include "homepage/UnitHomepage.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalDialogs.h"
#include "platform/UrlOpener.h"
#include "platform/widgets/FlatPanel.h"
#include "platform/widgets/ImageControl.h"
#include "platform/widgets/UrlLabel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace quorbel;

struct SortivoProbe
{
    static TADList &list(TFrmSortivo &f) { return f.FADList; }
    static qint32 &index(TFrmSortivo &f) { return f.FADIndex; }
    static QString &imageURL(TFrmSortivo &f) { return f.FImageADURL; }
    static QString &labelURL(TFrmSortivo &f) { return f.FLabelADURL; }
    static auto &startGetPic(TFrmSortivo &f) { return f.FStartGetPic; }
    static bool showAD(TFrmSortivo &f, int i) { return f.ShowAD(i); }
    static bool showFirstTextAD(TFrmSortivo &f) { return f.ShowFirstTextAD(); }
    static bool showFirstPicAD(TFrmSortivo &f) { return f.ShowFirstPicAD(); }
    static void openURL(TFrmSortivo &f, const QString &t) { f.OpenURL(t); }
};

namespace {

struct DownloadRequest
{
    QObject *receiver;
    QString url;
    QString supFolder;
    QString picFile;
    int index;
};

TADRec textEntry(const QString &caption, const QString &target, const QString &hint = QString())
{
    TADRec e;
    e.Kind = 1;
    e.Caption = caption;
    e.Target = target;
    e.Hint = hint;
    return e;
}

TADRec homePageEntry(const QString &caption, const QString &target, const QString &hint = QString())
{
    TADRec e = textEntry(caption, target, hint);
    e.Kind = 3;
    return e;
}

TADRec pictureEntry(const QString &picFile, const QString &target, const QString &hint = QString())
{
    TADRec e;
    e.Kind = 2;
    e.PicFile = picFile;
    e.PicURL = QStringLiteral("http://127.0.0.1:1/pics/") + picFile;
    e.Target = target;
    e.Hint = hint;
    return e;
}

TADRec otherEntry(qint32 kind)
{
    TADRec e = textEntry(QStringLiteral("never"), QStringLiteral("http://never.example/"));
    e.Kind = kind;
    return e;
}

} // namespace

class TestAdsDisplay : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TFrmSortivo> m_form;
    std::unique_ptr<QTemporaryDir> m_dir;
    QList<DownloadRequest> m_downloads;
    QStringList m_opened;
    QStringList m_chosen;
    QStringList m_dialogs; // proposed address of each home-page dialog
    QList<MessageRecord> m_messages;
    bool m_openerSucceeds = true;

    TFrmSortivo &form() { return *m_form; }
    FlatPanel *panel() { return m_form->findChild<FlatPanel *>(QStringLiteral("PanelAD")); }
    ImageControl *image() { return m_form->findChild<ImageControl *>(QStringLiteral("ImageAD")); }
    UrlLabel *urlLabel() { return m_form->findChild<UrlLabel *>(QStringLiteral("RzURLLabelAD")); }
    QLabel *homeLabel() { return m_form->findChild<QLabel *>(QStringLiteral("LabelAD")); }

    QString supFolder() const { return m_dir->path() + QStringLiteral("/Sup/"); }

    void savePicture(const QString &file, const QSize &size, const char *format = "BMP",
                     const QColor &color = Qt::darkCyan)
    {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(color);
        QVERIFY(picture.save(supFolder() + file, format));
    }

    void saveBytes(const QString &file, const QByteArray &bytes)
    {
        QFile out(supFolder() + file);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    }

    void setList(const TADList &list) { SortivoProbe::list(form()) = list; }

    // Posts a worker's message to the form the way the workers do, and lets
    // the queue deliver it.
    void deliver(int message, qintptr lParam = 0)
    {
        ADMessagePort::of(&form())->post(message, lParam);
        QCoreApplication::sendPostedEvents(&form());
    }

private Q_SLOTS:
    void init()
    {
        m_downloads.clear();
        m_opened.clear();
        m_chosen.clear();
        m_dialogs.clear();
        m_messages.clear();
        m_openerSucceeds = true;
        MessageBoxes::setResponder([this](const MessageRecord &m) { m_messages << m; });
        UrlOpener::setOpener([this](const QString &target) {
            m_opened << target;
            return m_openerSucceeds;
        });
        UrlOpener::setChooser([this](const QString &target) {
            m_chosen << target;
            return true;
        });
        ModalDialogs::setResponder([this](QDialog &dialog) {
            if (auto *home = qobject_cast<TFormHomePage *>(&dialog))
                m_dialogs << home->RzURLLabel2->url();
            dialog.reject();
        });

        m_form = std::make_unique<TFrmSortivo>();
        m_messages.clear(); // start-up reports of the test folder are not ours
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        AppPath = m_dir->path() + QLatin1Char('/');
        QVERIFY(QDir().mkpath(supFolder()));
        SortivoProbe::list(form()).clear();
        SortivoProbe::index(form()) = -1;
        SortivoProbe::startGetPic(form()) = [this](QObject *receiver, const QString &url, const QString &folder,
                                                    const QString &picFile, int index) {
            m_downloads << DownloadRequest{receiver, url, folder, picFile, index};
        };
    }

    void cleanup()
    {
        m_form.reset();
        m_dir.reset();
    }

    void panelFitsThePicture_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("100 x 30") << QSize(100, 30) << QRect(518, 67, 102, 32) << QSize(100, 30);
        QTest::newRow("100 x 31") << QSize(100, 31) << QRect(518, 66, 102, 33) << QSize(100, 31);
        QTest::newRow("168 x 46") << QSize(168, 46) << QRect(450, 59, 170, 48) << QSize(168, 46);
        QTest::newRow("400 x 100") << QSize(400, 100) << QRect(450, 59, 170, 48) << QSize(168, 46);
    }

    void panelFitsThePicture()
    {
        QFETCH(QSize, picture);
        QFETCH(QRect, place);
        QFETCH(QSize, shown);
        savePicture(QStringLiteral("ad.bmp"), picture);
        setList({textEntry(QStringLiteral("t"), QStringLiteral("http://t.example/")),
                 pictureEntry(QStringLiteral("ad.bmp"), QStringLiteral("http://pic.example/"), QStringLiteral("tip"))});

        QVERIFY(SortivoProbe::showAD(form(), 1));
        QCOMPARE(panel()->geometry(), place);
        QVERIFY(!panel()->isHidden());
        QCOMPARE(image()->geometry(), QRect(QPoint(1, 1), shown));
        QCOMPARE(image()->picture().size(), picture);
        QCOMPARE(image()->tag(), 1);
        QCOMPARE(image()->toolTip(), QStringLiteral("tip"));
        QCOMPARE(SortivoProbe::imageURL(form()), QStringLiteral("http://pic.example/"));
        QVERIFY(m_downloads.isEmpty());
    }

    void picturesLoadByExtension_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("shown");
        QTest::newRow("bmp") << QStringLiteral("a.bmp") << true;
        QTest::newRow("BMP") << QStringLiteral("a.BMP") << true;
        QTest::newRow("ico") << QStringLiteral("a.ico") << true;
        QTest::newRow("jpg") << QStringLiteral("a.jpg") << true;
        QTest::newRow("JPEG") << QStringLiteral("a.JPEG") << true;
        QTest::newRow("gif") << QStringLiteral("a.gif") << true;
        QTest::newRow("Gif") << QStringLiteral("a.Gif") << true;
        QTest::newRow("png: no reader") << QStringLiteral("a.png") << false;
        QTest::newRow("wmf: no reader") << QStringLiteral("a.wmf") << false;
        QTest::newRow("emf: no reader") << QStringLiteral("a.emf") << false;
        QTest::newRow("bmp holding a png") << QStringLiteral("png.bmp") << false;
        QTest::newRow("damaged gif") << QStringLiteral("bad.gif") << false;
        QTest::newRow("empty jpg") << QStringLiteral("empty.jpg") << false;
    }

    void picturesLoadByExtension()
    {
        QFETCH(QString, file);
        QFETCH(bool, shown);
        const QString lower = file.toLower();
        if (lower == QLatin1String("a.bmp") || lower == QLatin1String("a.ico") || lower == QLatin1String("a.jpg")
            || lower == QLatin1String("a.jpeg")) {
            const char *format = lower.endsWith(QLatin1String("bmp")) ? "BMP"
                                 : lower.endsWith(QLatin1String("ico")) ? "ICO"
                                                                         : "JPEG";
            savePicture(file, QSize(32, 16), format);
        } else if (lower == QLatin1String("a.gif")) {
            QVERIFY(QFile::copy(QStringLiteral(QUORBEL_TEST_DATA "/pic100x30.gif"), supFolder() + file));
        } else if (lower == QLatin1String("a.png") || lower == QLatin1String("png.bmp")) {
            savePicture(file, QSize(32, 16), "PNG");
        } else if (lower == QLatin1String("a.wmf") || lower == QLatin1String("a.emf")) {
            // A placeable metafile header: a real reader would accept it.
            saveBytes(file, QByteArray::fromHex("d7cdc69a0000000000002000100000000000"));
        } else if (lower == QLatin1String("bad.gif")) {
            saveBytes(file, QByteArray("GIF89a this is not a picture"));
        } else {
            saveBytes(file, QByteArray());
        }

        // A picture already on display stays there when the new one fails.
        savePicture(QStringLiteral("before.bmp"), QSize(50, 20));
        setList({pictureEntry(QStringLiteral("before.bmp"), QStringLiteral("http://before.example/")),
                 pictureEntry(file, QStringLiteral("http://new.example/"))});
        QVERIFY(SortivoProbe::showAD(form(), 0));

        QCOMPARE(SortivoProbe::showAD(form(), 1), shown);
        QVERIFY(m_downloads.isEmpty());
        if (shown) {
            QCOMPARE(image()->tag(), 1);
            QCOMPARE(SortivoProbe::imageURL(form()), QStringLiteral("http://new.example/"));
        } else {
            QCOMPARE(image()->tag(), 0);
            QCOMPARE(image()->picture().size(), QSize(50, 20));
            QCOMPARE(panel()->geometry(), QRect(630 - 52 - 10, 59 + 13, 52, 22));
            QCOMPARE(SortivoProbe::imageURL(form()), QStringLiteral("http://before.example/"));
        }
    }

    void placingANewPictureProcessesPendingEventsOnce()
    {
        savePicture(QStringLiteral("ad.bmp"), QSize(100, 30));
        setList({pictureEntry(QStringLiteral("ad.bmp"), QStringLiteral("http://pic.example/"))});
        int delivered = 0;
        auto post = [&] { QMetaObject::invokeMethod(&form(), [&] { ++delivered; }, Qt::QueuedConnection); };

        post();
        QVERIFY(SortivoProbe::showAD(form(), 0));
        QCOMPARE(delivered, 1);
        post(); // the picture is on display already: nothing is processed
        QVERIFY(SortivoProbe::showAD(form(), 0));
        QCOMPARE(delivered, 1);
        QCoreApplication::processEvents();
        QCOMPARE(delivered, 2);
    }

    void pictureOnDisplayIsNotReadAgain()
    {
        savePicture(QStringLiteral("ad.bmp"), QSize(100, 30));
        setList({pictureEntry(QStringLiteral("ad.bmp"), QStringLiteral("http://pic.example/"))});
        QVERIFY(SortivoProbe::showAD(form(), 0));

        // Another picture, then no picture at all under the same name: neither is read.
        savePicture(QStringLiteral("ad.bmp"), QSize(20, 20));
        QVERIFY(SortivoProbe::showAD(form(), 0));
        QCOMPARE(panel()->geometry().size(), QSize(102, 32));
        saveBytes(QStringLiteral("ad.bmp"), QByteArray("damaged"));
        QVERIFY(SortivoProbe::showAD(form(), 0));
        QCOMPARE(image()->picture().size(), QSize(100, 30));
    }

    void missingPictureIsFetchedAndShownWhenReady()
    {
        savePicture(QStringLiteral("old.bmp"), QSize(50, 20));
        setList({pictureEntry(QStringLiteral("old.bmp"), QStringLiteral("http://old.example/")),
                 pictureEntry(QStringLiteral("new.bmp"), QStringLiteral("http://new.example/"), QStringLiteral("n"))});
        QVERIFY(SortivoProbe::showAD(form(), 0));

        QVERIFY(!SortivoProbe::showAD(form(), 1));
        QCOMPARE(m_downloads.size(), 1);
        QCOMPARE(m_downloads[0].receiver, &form());
        QCOMPARE(m_downloads[0].url, QStringLiteral("http://127.0.0.1:1/pics/new.bmp"));
        QCOMPARE(m_downloads[0].supFolder, supFolder());
        QCOMPARE(m_downloads[0].picFile, QStringLiteral("new.bmp"));
        QCOMPARE(m_downloads[0].index, 1);
        // The slot keeps the old picture, but no index is known to be on display.
        QCOMPARE(image()->tag(), -1);
        QCOMPARE(image()->picture().size(), QSize(50, 20));
        QCOMPARE(SortivoProbe::imageURL(form()), QStringLiteral("http://old.example/"));

        savePicture(QStringLiteral("new.bmp"), QSize(100, 30));
        deliver(WM_ADPICREADY, 1);
        QCOMPARE(image()->tag(), 1);
        QCOMPARE(panel()->geometry(), QRect(518, 67, 102, 32));
        QCOMPARE(image()->toolTip(), QStringLiteral("n"));
        QCOMPARE(SortivoProbe::imageURL(form()), QStringLiteral("http://new.example/"));
        QCOMPARE(m_downloads.size(), 1);
    }

    void pictureNameOutsideTheFolderIsNeitherReadNorFetched()
    {
        savePicture(QStringLiteral("outside.bmp"), QSize(10, 10));
        setList({pictureEntry(QStringLiteral("../Sup/outside.bmp"), QStringLiteral("http://x.example/")),
                 pictureEntry(QString(), QStringLiteral("http://x.example/"))});
        QVERIFY(!SortivoProbe::showAD(form(), 0));
        QVERIFY(!SortivoProbe::showAD(form(), 1));
        QVERIFY(m_downloads.isEmpty());
        QVERIFY(panel()->isHidden());
    }

    void firstPictureEntryOnlyIsTried()
    {
        savePicture(QStringLiteral("second.bmp"), QSize(10, 10));
        setList({textEntry(QStringLiteral("t"), QStringLiteral("http://t.example/")),
                 pictureEntry(QStringLiteral("first.bmp"), QStringLiteral("http://1.example/")),
                 pictureEntry(QStringLiteral("second.bmp"), QStringLiteral("http://2.example/"))});
        QVERIFY(!SortivoProbe::showFirstPicAD(form()));
        QCOMPARE(m_downloads.size(), 1);
        QCOMPARE(m_downloads[0].index, 1);
        QVERIFY(panel()->isHidden());
    }

    void firstEntriesOfEachSlot()
    {
        setList({});
        QVERIFY(!SortivoProbe::showFirstTextAD(form()));
        QVERIFY(!SortivoProbe::showFirstPicAD(form()));

        savePicture(QStringLiteral("p.bmp"), QSize(10, 10));
        setList({otherEntry(0), pictureEntry(QStringLiteral("p.bmp"), QStringLiteral("http://p.example/")),
                 homePageEntry(QStringLiteral("home"), QStringLiteral("http://home.example/")),
                 textEntry(QStringLiteral("text"), QStringLiteral("http://text.example/"))});
        QVERIFY(SortivoProbe::showFirstTextAD(form()));
        QVERIFY(!homeLabel()->isHidden());
        QVERIFY(urlLabel()->isHidden());
        QVERIFY(SortivoProbe::showFirstPicAD(form()));
        QCOMPARE(image()->tag(), 1);
    }

    void homePageEntryGivesWayToTextEntry()
    {
        setList({homePageEntry(QStringLiteral("设为主页"), QStringLiteral("http://home.example/"), QStringLiteral("h3")),
                 textEntry(QStringLiteral("看看<b>这个</b>"), QStringLiteral("http://text.example/"), QStringLiteral("h1"))});
        QVERIFY(SortivoProbe::showAD(form(), 0));
        QVERIFY(!homeLabel()->isHidden());
        QVERIFY(urlLabel()->isHidden());
        QCOMPARE(homeLabel()->text(), QStringLiteral("设为主页"));
        QCOMPARE(homeLabel()->toolTip(), QStringLiteral("h3"));
        QCOMPARE(homeLabel()->x() + homeLabel()->width(), 619);
        QCOMPARE(SortivoProbe::labelURL(form()), QStringLiteral("http://home.example/"));

        QVERIFY(SortivoProbe::showAD(form(), 1));
        QVERIFY(homeLabel()->isHidden());
        QVERIFY(!urlLabel()->isHidden());
        QCOMPARE(urlLabel()->text(), QStringLiteral("看看<b>这个</b>"));
        QCOMPARE(urlLabel()->textFormat(), Qt::PlainText);
        QCOMPARE(urlLabel()->url(), QStringLiteral("http://text.example/"));
        QCOMPARE(urlLabel()->toolTip(), QStringLiteral("h1"));
        QCOMPARE(urlLabel()->x() + urlLabel()->width(), 619);
        QCOMPARE(urlLabel()->y(), 41);
        // The home-page target stays for the label that is now hidden.
        QCOMPARE(SortivoProbe::labelURL(form()), QStringLiteral("http://home.example/"));
    }

    void entriesOfOtherKindsAndIndexesOutsideShowNothing()
    {
        setList({otherEntry(0), otherEntry(4), otherEntry(-1)});
        for (int i : {-1, 0, 1, 2, 3})
            QVERIFY(!SortivoProbe::showAD(form(), i));
        QVERIFY(homeLabel()->isHidden());
        QVERIFY(urlLabel()->isHidden());
        QVERIFY(panel()->isHidden());
    }

    void ticksOverAnEmptyList()
    {
        form().TimerADTimer();
        QCOMPARE(SortivoProbe::index(form()), 0);
        form().TimerADTimer();
        QCOMPARE(SortivoProbe::index(form()), 0);
        QVERIFY(homeLabel()->isHidden() && urlLabel()->isHidden() && panel()->isHidden());
    }

    void ticksRotateInTableOrderAndWrap()
    {
        savePicture(QStringLiteral("p.bmp"), QSize(10, 10));
        setList({textEntry(QStringLiteral("one"), QStringLiteral("http://1.example/")), otherEntry(7),
                 pictureEntry(QStringLiteral("p.bmp"), QStringLiteral("http://p.example/")),
                 textEntry(QStringLiteral("two"), QStringLiteral("http://2.example/"))});

        form().TimerADTimer(); // from -1 to the first entry
        QCOMPARE(SortivoProbe::index(form()), 0);
        QCOMPARE(urlLabel()->text(), QStringLiteral("one"));
        form().TimerADTimer(); // another kind: nothing changes
        QCOMPARE(SortivoProbe::index(form()), 1);
        QCOMPARE(urlLabel()->text(), QStringLiteral("one"));
        QVERIFY(panel()->isHidden());
        form().TimerADTimer(); // the picture slot changes, the text stays
        QCOMPARE(SortivoProbe::index(form()), 2);
        QCOMPARE(image()->tag(), 2);
        QCOMPARE(urlLabel()->text(), QStringLiteral("one"));
        form().TimerADTimer();
        QCOMPARE(urlLabel()->text(), QStringLiteral("two"));
        QVERIFY(!panel()->isHidden());
        form().TimerADTimer();
        QCOMPARE(SortivoProbe::index(form()), 0);
        QCOMPARE(urlLabel()->text(), QStringLiteral("one"));

        // A shorter list: the next tick wraps to its first entry.
        SortivoProbe::index(form()) = 3;
        setList({textEntry(QStringLiteral("only"), QStringLiteral("http://o.example/"))});
        form().TimerADTimer();
        QCOMPARE(SortivoProbe::index(form()), 0);
        QCOMPARE(urlLabel()->text(), QStringLiteral("only"));
    }

    void pictureReadyOutsideTheListIsIgnored()
    {
        setList({pictureEntry(QStringLiteral("a.bmp"), QStringLiteral("http://a.example/")),
                 pictureEntry(QStringLiteral("b.bmp"), QStringLiteral("http://b.example/"))});
        deliver(WM_ADPICREADY, -1);
        deliver(WM_ADPICREADY, 2);
        QVERIFY(m_downloads.isEmpty());
        // Inside the list, a missing picture would be asked for again.
        deliver(WM_ADPICREADY, 1);
        QCOMPARE(m_downloads.size(), 1);
    }

    void listReadyNeedsTheCacheAndReloadsThePicture()
    {
        // The same entries as the cache holds, so this holds whichever way
        // the list is loaded.
        savePicture(QStringLiteral("p.bmp"), QSize(100, 30));
        setList({pictureEntry(QStringLiteral("p.bmp"), QStringLiteral("http://p.example/")),
                 textEntry(QStringLiteral("t"), QStringLiteral("http://t.example/"))});
        QVERIFY(SortivoProbe::showAD(form(), 0));
        savePicture(QStringLiteral("p.bmp"), QSize(60, 20)); // the refresh stored a new picture

        deliver(WM_ADLISTREADY); // no cache file: nothing happens
        QCOMPARE(panel()->geometry().size(), QSize(102, 32));
        QVERIFY(urlLabel()->isHidden());

        saveBytes(QStringLiteral("Ad.his"), "17|7|\r\n*\r\n2\r\np.bmp|http://127.0.0.1:1/pics/p.bmp\r\n\r\n"
                                             "http://p.example/\r\n*\r\n1\r\nt\r\n\r\nhttp://t.example/\r\n");
        deliver(WM_ADLISTREADY);
        QCOMPARE(image()->tag(), 0);
        QCOMPARE(panel()->geometry().size(), QSize(62, 22));
        QVERIFY(!urlLabel()->isHidden());
        QCOMPARE(urlLabel()->text(), QStringLiteral("t"));
    }

    void listReadyWithAnUnreadableCacheReportsAndKeepsTheStrip()
    {
        setList({textEntry(QStringLiteral("t"), QStringLiteral("http://t.example/"))});
        QVERIFY(SortivoProbe::showAD(form(), 0));
        QVERIFY(QDir().mkpath(supFolder() + QStringLiteral("Ad.his")));
        deliver(WM_ADLISTREADY);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].icon, MessageIcon::Error);
        QVERIFY(m_messages[0].text.contains(QStringLiteral("Ad.his")));
        QCOMPARE(urlLabel()->text(), QStringLiteral("t"));
        QVERIFY(!urlLabel()->isHidden());
    }

    void clickingThePictureOpensItsTarget()
    {
        savePicture(QStringLiteral("p.bmp"), QSize(100, 30));
        setList({pictureEntry(QStringLiteral("p.bmp"), QStringLiteral("https://pic.example/go"))});
        QVERIFY(SortivoProbe::showAD(form(), 0));
        QTest::mouseClick(image(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(m_opened, QStringList{QStringLiteral("https://pic.example/go")});
    }

    void clickingTheHomePageLabelOffersItsTarget()
    {
        setList({homePageEntry(QStringLiteral("设为主页"), QStringLiteral("http://home.example/"))});
        QVERIFY(SortivoProbe::showAD(form(), 0));
        QTest::mouseClick(homeLabel(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(m_dialogs, QStringList{QStringLiteral("http://home.example/")});
        QVERIFY(m_opened.isEmpty());
    }

    void clickingTheTextLabelOpensOnlyWebTargets_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("opened");
        QTest::newRow("web") << QStringLiteral("http://text.example/") << QStringLiteral("t")
                             << QStringList{QStringLiteral("http://text.example/")};
        QTest::newRow("program") << QStringLiteral("/usr/bin/xterm") << QStringLiteral("t") << QStringList();
        QTest::newRow("local file") << QStringLiteral("file:///etc/passwd") << QStringLiteral("t") << QStringList();
        QTest::newRow("blank: caption stands in") << QStringLiteral(" ") << QStringLiteral("https://c.example/")
                                                  << QStringList{QStringLiteral("https://c.example/")};
    }

    void clickingTheTextLabelOpensOnlyWebTargets()
    {
        QFETCH(QString, target);
        QFETCH(QString, caption);
        QFETCH(QStringList, opened);
        setList({textEntry(caption, target)});
        QVERIFY(SortivoProbe::showAD(form(), 0));
        QTest::mouseClick(urlLabel(), Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(m_opened, opened);
        QVERIFY(m_chosen.isEmpty());
    }

    void openURL_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("openerSucceeds");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("chosen");
        const QString htm = QStringLiteral("http://a.example/page.htm");
        QTest::newRow("blanks only") << QStringLiteral(" \t\r\n ") << true << QStringList() << QStringList();
        QTest::newRow("empty") << QString() << true << QStringList() << QStringList();
        QTest::newRow("web") << QStringLiteral("https://a.example/x") << true
                             << QStringList{QStringLiteral("https://a.example/x")} << QStringList();
        QTest::newRow("mail") << QStringLiteral("mailto:author@example.com") << true
                              << QStringList{QStringLiteral("mailto:author@example.com")} << QStringList();
        QTest::newRow("surrounding blanks") << QStringLiteral("  http://a.example/ \r\n") << true
                                            << QStringList{QStringLiteral("http://a.example/")} << QStringList();
        QTest::newRow(".htm opened") << htm << true << QStringList{htm} << QStringList();
        QTest::newRow(".htm failing") << htm << false << QStringList{htm} << QStringList{htm};
        QTest::newRow(".HTM failing") << QStringLiteral("http://a.example/PAGE.HTM") << false
                                      << QStringList{QStringLiteral("http://a.example/PAGE.HTM")}
                                      << QStringList{QStringLiteral("http://a.example/PAGE.HTM")};
        QTest::newRow(".html failing") << QStringLiteral("http://a.example/page.html") << false
                                       << QStringList{QStringLiteral("http://a.example/page.html")} << QStringList();
        QTest::newRow("program") << QStringLiteral("/usr/bin/xterm") << true << QStringList() << QStringList();
        QTest::newRow("local page") << QStringLiteral("file:///tmp/page.htm") << false << QStringList()
                                    << QStringList();
        QTest::newRow("windows path") << QStringLiteral("C:\\page.htm") << false << QStringList() << QStringList();
        QTest::newRow("other scheme") << QStringLiteral("smb://host/share/page.htm") << false << QStringList()
                                      << QStringList();
    }

    void openURL()
    {
        QFETCH(QString, target);
        QFETCH(bool, openerSucceeds);
        QFETCH(QStringList, opened);
        QFETCH(QStringList, chosen);
        m_openerSucceeds = openerSucceeds;
        SortivoProbe::openURL(form(), target);
        QCOMPARE(m_opened, opened);
        QCOMPARE(m_chosen, chosen);
        QVERIFY(m_messages.isEmpty());
    }
};

int main(int argc, char *argv[])
{
    // The home-page dialog reads the start page from a store of our own, and
    // no list is ever fetched from anywhere but a closed local port.
    QTemporaryDir configHome;
    if (!configHome.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    qputenv("QUORBEL_AD_SERVER", "http://127.0.0.1:1");
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorbel"));
    TestAdsDisplay test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ads_display.moc"

// The advertisement strip's rules that need no widgets: the picture panel's
// place, the picture reader by extension and which targets may be opened.

#include "ads/ADPanelLayout.h"
#include "ads/ADPictureFormat.h"
#include "ads/ADTarget.h"

#include <gtest/gtest.h>

using namespace quorbel;

QT_BEGIN_NAMESPACE
void PrintTo(const QRect &r, std::ostream *os)
{
    *os << r.left() << "," << r.top() << " " << r.width() << "x" << r.height();
}
void PrintTo(const QSize &s, std::ostream *os)
{
    *os << s.width() << "x" << s.height();
}
QT_END_NAMESPACE

struct PanelCase
{
    QSize picture;
    QRect panel;
};

void PrintTo(const PanelCase &c, std::ostream *os)
{
    PrintTo(c.picture, os);
    *os << " -> ";
    PrintTo(c.panel, os);
}

class ADPanelGeometryTest : public testing::TestWithParam<PanelCase>
{
};

TEST_P(ADPanelGeometryTest, FollowsThePictureUpToTheMaximum)
{
    EXPECT_EQ(ADPanelGeometry(GetParam().picture, 630), GetParam().panel);
}

INSTANTIATE_TEST_SUITE_P(
    OnTheMainWindow, ADPanelGeometryTest,
    testing::Values(PanelCase{QSize(100, 30), QRect(518, 67, 102, 32)},  // centred on the band
                    PanelCase{QSize(100, 31), QRect(518, 66, 102, 33)},  // odd margin rounds down
                    PanelCase{QSize(168, 46), QRect(450, 59, 170, 48)},  // exactly fits
                    PanelCase{QSize(169, 47), QRect(450, 59, 170, 48)},  // one pixel over: clipped
                    PanelCase{QSize(400, 100), QRect(450, 59, 170, 48)}, // clipped to the top left
                    PanelCase{QSize(400, 10), QRect(450, 77, 170, 12)},
                    PanelCase{QSize(1, 1), QRect(617, 81, 3, 3)},
                    // A size no picture has reads as an empty picture (found by fuzzing: it overflowed).
                    PanelCase{QSize(-2147483391, 7), QRect(618, 78, 2, 9)},
                    PanelCase{QSize(-1, -1), QRect(618, 82, 2, 2)}));

TEST(ADPanelGeometry, KeepsTenPixelsFromTheRightEdgeOfAnyWidth)
{
    EXPECT_EQ(ADPanelGeometry(QSize(100, 30), 800).left(), 800 - 102 - 10);
}

TEST(ADPictureFormat, PicksTheReaderByExtensionWhateverTheCase)
{
    const std::pair<const char *, const char *> cases[] = {
        {"a.bmp", "bmp"},        {"a.BMP", "bmp"},   {"a.ico", "ico"},          {"a.Ico", "ico"},
        {"a.jpg", "jpeg"},       {"a.JPEG", "jpeg"}, {"a.gif", "gif"},          {"a.GiF", "gif"},
        {"a.wmf", "wmf"},        {"a.EMF", "emf"},   {"/x/y.dir/a.gif", "gif"}, {"a.png", ""},
        {"a.gif.png", ""},       {"a", ""},          {"a.", ""},                {"/x/y.gif/a", ""},
        {"a.jpg.gif", "gif"},    {"a. gif", ""},
    };
    for (const auto &[file, format] : cases)
        EXPECT_EQ(ADPictureFormat(QString::fromUtf8(file)), QByteArray(format)) << file;
}

TEST(ADTarget, OnlyWebAndMailAddressesMayBeOpened)
{
    const std::pair<const char *, bool> cases[] = {
        {"http://ads.example/x.htm", true},
        {"https://ads.example/?a=1&b=2", true},
        {"HTTP://ADS.EXAMPLE/", true},
        {"mailto:author@example.com", true},
        {"http://", false},
        {"mailto:", false},
        {"file:///etc/passwd", false},
        {"/usr/bin/xterm", false},
        {"xterm", false},
        {"C:\\Windows\\notepad.exe", false},
        {"javascript:alert(1)", false},
        {"ftp://ads.example/x", false},
        {"smb://host/share", false},
        {"", false},
        {" http://ads.example/", false}, // callers trim first
    };
    for (const auto &[target, allowed] : cases)
        EXPECT_EQ(IsWebTarget(QString::fromUtf8(target)), allowed) << target;
}

TEST(ADTarget, TrimBlanksDropsBlanksAndControlCharactersAtBothEnds)
{
    EXPECT_EQ(TrimBlanks(QStringLiteral(" \t\x01 http://a/ b \r\n\x1f")), QStringLiteral("http://a/ b"));
    EXPECT_EQ(TrimBlanks(QStringLiteral(" \t\r\n")), QString());
    // A full-width space is text, not a blank.
    EXPECT_EQ(TrimBlanks(QStringLiteral("\u3000a")), QStringLiteral("\u3000a"));
}

TEST(ADTarget, ProgramChooserOnlyForAnHtmExtension)
{
    const std::pair<const char *, bool> cases[] = {
        {"http://a.example/page.htm", true},
        {"http://a.example/PAGE.HTM", true},
        {"http://a.example/page.Htm", true},
        {"http://a.example/page.html", false},
        {"http://a.example/page.htm?x=1", false},
        {"http://a.example/page", false}, // the ":" of the scheme ends the search
        {"c:\\x.htm\\page", false},
        {"page.htm", true},
    };
    for (const auto &[target, chooser] : cases)
        EXPECT_EQ(WantsHtmProgramChooser(QString::fromUtf8(target)), chooser) << target;
    EXPECT_EQ(TargetExtension(QStringLiteral("http://a.b/c")), QStringLiteral(".b/c"));
}

#include "ads/ADPicPath.h"
#include "ads/ADServer.h"
#include "ads/ADThread.h"
#include "platform/ReplacingFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>

using namespace quorbel;

namespace {

void WriteFile(const QString &path, const QByteArray &bytes = "x")
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// --- Picture names and addresses -------------------------------------------------------

TEST(PicFileName, OnlyBareNamesPass)
{
    for (const char *name : {"a.gif", "banner 1.JPG", ".hidden.png", "...", "a..b.gif", "广告.gif"})
        EXPECT_TRUE(IsBarePicFileName(QString::fromUtf8(name))) << name;
    for (const char *name : {"", ".", "..", "../a.gif", "/etc/passwd", "sub/a.gif", "a/", "..\\a.gif",
                             "C:\\a.gif", "a\\b"})
        EXPECT_FALSE(IsBarePicFileName(QString::fromUtf8(name))) << name;
    EXPECT_FALSE(IsBarePicFileName(QString::fromUtf8("a.gif\0.txt", 10)));
}

TEST(ADAddress, OnlyHttpAndHttpsAreFetched)
{
    for (const char *url : {"http://127.0.0.1:8765/a.gif", "https://ads.example/a", "HTTP://A/"})
        EXPECT_TRUE(IsHttpURL(QString::fromUtf8(url))) << url;
    for (const char *url : {"", "file:///etc/passwd", "ftp://a/b", "gopher://a", "//a/b", "a.gif", " http://a/",
                            "httpx://a", "http:/a"})
        EXPECT_FALSE(IsHttpURL(QString::fromUtf8(url))) << url;
}

TEST(ADAddress, ListAddressFromEnvironmentOrBuildDefault)
{
    const QByteArray saved = qgetenv("QUORBEL_AD_SERVER");
    qputenv("QUORBEL_AD_SERVER", "http://127.0.0.1:8765");
    EXPECT_EQ(ADListURL(), QStringLiteral("http://127.0.0.1:8765/AD/AD002.txt"));
    qputenv("QUORBEL_AD_SERVER", "http://127.0.0.1:8765/");
    EXPECT_EQ(ADListURL(), QStringLiteral("http://127.0.0.1:8765/AD/AD002.txt"));
    qunsetenv("QUORBEL_AD_SERVER");
    EXPECT_EQ(ADListURL(), QStringLiteral(QUORBEL_AD_SERVER_DEFAULT "/AD/AD002.txt"));
    qputenv("QUORBEL_AD_SERVER", "");
    EXPECT_EQ(ADListURL(), QStringLiteral(QUORBEL_AD_SERVER_DEFAULT "/AD/AD002.txt"));
    qputenv("QUORBEL_AD_SERVER", saved);
}

// --- ClearFolder -------------------------------------------------------------------------

TEST(ClearFolder, DeletesRegularFilesAndLeavesEverythingElse)
{
    QTemporaryDir root;
    const QString sup = root.filePath(QStringLiteral("Sup/"));
    const QString outside = root.filePath(QStringLiteral("outside/"));
    ASSERT_TRUE(QDir().mkpath(sup + QStringLiteral("sub")));
    ASSERT_TRUE(QDir().mkpath(outside + QStringLiteral("folder")));
    WriteFile(sup + QStringLiteral("Ad.his"));
    WriteFile(sup + QStringLiteral("a.gif"));
    WriteFile(sup + QStringLiteral(".hidden"));
    WriteFile(sup + QStringLiteral(" .."));
    WriteFile(sup + QStringLiteral("sub/kept.gif"));
    WriteFile(outside + QStringLiteral("target.txt"), "precious");
    ASSERT_EQ(::mkfifo(QFile::encodeName(sup + QStringLiteral("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(outside + QStringLiteral("target.txt"), sup + QStringLiteral("link-to-file")));
    ASSERT_TRUE(QFile::link(outside + QStringLiteral("folder"), sup + QStringLiteral("link-to-folder")));
    ASSERT_TRUE(QFile::link(outside + QStringLiteral("nowhere"), sup + QStringLiteral("dangling")));

    ClearFolder(sup);

    QStringList left = QDir(sup).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    left.sort();
    EXPECT_EQ(left, (QStringList{QStringLiteral("pipe"), QStringLiteral("sub")}));
    EXPECT_TRUE(QFileInfo::exists(sup + QStringLiteral("sub/kept.gif")));
    EXPECT_EQ(ReadFile(outside + QStringLiteral("target.txt")), QByteArray("precious"));
    EXPECT_TRUE(QFileInfo(outside + QStringLiteral("folder")).isDir());
}

TEST(ClearFolder, AcceptsFolderWithoutTrailingSlashAndMissingFolder)
{
    QTemporaryDir root;
    WriteFile(root.filePath(QStringLiteral("a.gif")));
    ClearFolder(root.path());
    EXPECT_FALSE(QFileInfo::exists(root.filePath(QStringLiteral("a.gif"))));
    ClearFolder(root.filePath(QStringLiteral("missing/")));
}

// --- ReplacingFile ----------------------------------------------------------------------

TEST(ReplacingFile, AppearsUnderItsNameOnlyWhenCommitted)
{
    QTemporaryDir root;
    const std::string folder = QFile::encodeName(root.path() + QLatin1Char('/')).toStdString();
    const QString target = root.filePath(QStringLiteral("a.gif"));
    {
        ReplacingFile file(folder);
        ASSERT_TRUE(file.isOpen());
        ASSERT_TRUE(file.write("abc", 3));
        EXPECT_FALSE(QFileInfo::exists(target));
        ASSERT_TRUE(file.commit(QFile::encodeName(target).toStdString()));
    }
    EXPECT_EQ(ReadFile(target), QByteArray("abc"));
    EXPECT_EQ(QDir(root.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(ReplacingFile, AbandonedFileLeavesNothing)
{
    QTemporaryDir root;
    {
        ReplacingFile file(QFile::encodeName(root.path() + QLatin1Char('/')).toStdString());
        ASSERT_TRUE(file.write("abc", 3));
    }
    EXPECT_TRUE(QDir(root.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST(ReplacingFile, ReplacesALinkInsteadOfWritingThroughIt)
{
    QTemporaryDir root;
    const QString outside = root.filePath(QStringLiteral("outside.txt"));
    const QString link = root.filePath(QStringLiteral("Ad.his"));
    WriteFile(outside, "precious");
    ASSERT_TRUE(QFile::link(outside, link));
    ASSERT_TRUE(ReplacingFile::WriteWhole(QFile::encodeName(link).toStdString(), "new", 3));
    EXPECT_EQ(ReadFile(outside), QByteArray("precious"));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadFile(link), QByteArray("new"));
}

TEST(ReplacingFile, CommitOntoAFolderFailsAndCleansUp)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("a.gif")));
    EXPECT_FALSE(ReplacingFile::WriteWhole(QFile::encodeName(root.filePath(QStringLiteral("a.gif"))).toStdString(),
                                           "x", 1));
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("a.gif")});
}

TEST(ReplacingFile, MissingFolderCannotBeOpened)
{
    ReplacingFile file("/nonexistent-quorbel-folder/");
    EXPECT_FALSE(file.isOpen());
    EXPECT_FALSE(file.write("x", 1));
    EXPECT_FALSE(file.commit("/nonexistent-quorbel-folder/a"));
}

#include "platform/AppError.h"
#include "platform/Cp936.h"
#include "wheel/BetFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

using namespace quorbel;

namespace {

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
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

const QStringList TwoBets{QStringLiteral(" 03  07  09  12  18  25  30 "), QStringLiteral(" 07  09  14  18  21  25  30 ")};

// While alive, the process may not write files beyond `limit` bytes: a write
// past it fails (EFBIG) instead of raising SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

TEST(BetFileBytes, EveryLineEndsInCrLfTheLastIncluded)
{
    EXPECT_EQ(BetFileBytes(TwoBets), QByteArray(" 03  07  09  12  18  25  30 \r\n 07  09  14  18  21  25  30 \r\n"));
    EXPECT_EQ(BetFileBytes({}), QByteArray());
    EXPECT_EQ(BetFileBytes({QString()}), QByteArray("\r\n"));
}

TEST(BetFileBytes, TextIsWrittenInCodePage936)
{
    EXPECT_EQ(BetFileBytes({QStringLiteral("中7保6")}), EncodeCp936(QStringLiteral("中7保6")) + "\r\n");
    EXPECT_EQ(BetFileBytes({QStringLiteral("中")}), QByteArray("\xD6\xD0\r\n"));
}

TEST(SaveBetFile, CreatesAndReplacesFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bets.txt"));
    SaveBetFile(path, TwoBets);
    EXPECT_EQ(readAll(path), BetFileBytes(TwoBets));

    // Replacing a longer file leaves nothing of it behind.
    SaveBetFile(path, {QStringLiteral(" 01 ")});
    EXPECT_EQ(readAll(path), QByteArray(" 01 \r\n"));

    SaveBetFile(path, {});
    EXPECT_EQ(readAll(path), QByteArray());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("bets.txt")});
}

TEST(SaveBetFile, AFileThatCannotBeCreatedIsReportedWithPathAndReason)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no such folder/bets.txt"));
    try {
        SaveBetFile(path, TwoBets);
        FAIL() << "no error";
    } catch (const AppError &error) {
        const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(path);
        EXPECT_TRUE(error.message().startsWith(prefix)) << error.what();
        EXPECT_GT(error.message().size(), prefix.size()) << "no reason given";
    }
    EXPECT_FALSE(QFile::exists(path));
}

TEST(SaveBetFile, AFailedWriteLeavesTheExistingFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bets.txt"));
    const QByteArray earlier(" 01  02  03  04  05  06  07 \r\n");
    writeAll(path, earlier);

    QStringList many;
    for (int i = 0; i < 1000; ++i)
        many << TwoBets;
    {
        const FileSizeLimit limit(4096);
        try {
            SaveBetFile(path, many);
            FAIL() << "no error";
        } catch (const AppError &error) {
            EXPECT_EQ(error.message(), QStringLiteral("Stream write error"));
        }
    }
    EXPECT_EQ(readAll(path), earlier);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("bets.txt")});
}

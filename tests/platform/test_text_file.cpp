#include "platform/AppError.h"
#include "platform/Cp936.h"
#include "platform/TextFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct LinesCase
{
    const char *name;
    QByteArray bytes;
    QStringList lines;
};

class SplitTextLinesTest : public testing::TestWithParam<LinesCase>
{
};

TEST_P(SplitTextLinesTest, SplitsLikeTheFileReaders)
{
    EXPECT_EQ(quorbel::SplitTextLines(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitTextLinesTest,
    testing::Values(LinesCase{"Empty", QByteArray(), {}},
                    LinesCase{"NoLineEnd", "a", {"a"}},
                    LinesCase{"FinalLineEndAddsNothing", "a\r\n", {"a"}},
                    LinesCase{"MixedEnds", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
                    LinesCase{"CrCrLfIsTwoEnds", "a\r\r\nb", {"a", "", "b"}},
                    LinesCase{"LfCrIsTwoEnds", "a\n\rb", {"a", "", "b"}},
                    LinesCase{"EmptyLinesKept", "\n\nx\n", {"", "", "x"}},
                    LinesCase{"NoTrimming", " a \t\r\n b ", {" a \t", " b "}},
                    LinesCase{"NulEndsText", QByteArray("a\nb\0c\nd", 7), {"a", "b"}},
                    LinesCase{"Gbk", "\xd1\xa1\x39\xd6\xd0\x37\xb1\xa3\x36\r\n", {QStringLiteral("选9中7保6")}}),
    [](const testing::TestParamInfo<LinesCase> &info) { return std::string(info.param.name); });

TEST(Cp936, RoundTripsChineseText)
{
    const QString text = QStringLiteral("已选号码 10 个 [复式投注数量 120 注，缩水投注数量 14 注]");
    const QByteArray bytes = quorbel::EncodeCp936(text);
    EXPECT_EQ(bytes.left(2), QByteArray("\xd2\xd1")); // 已
    EXPECT_EQ(quorbel::DecodeCp936(bytes), text);
}

TEST(ReadFileBytes, MissingFileGivesTheOpenError)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("GS.spt"));
    try {
        quorbel::ReadFileBytes(path);
        FAIL() << "no error raised";
    } catch (const quorbel::AppError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(path));
    }
}

TEST(ReadFileBytes, FolderCannotBeRead)
{
    QTemporaryDir dir;
    EXPECT_THROW(quorbel::ReadFileBytes(dir.path()), quorbel::AppError);
}

} // namespace

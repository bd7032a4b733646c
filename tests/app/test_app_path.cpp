#include "app/AppPath.h"

#include <gtest/gtest.h>

TEST(GetAppPathOf, KeepsTheFolderWithATrailingSlash)
{
    const struct
    {
        const char *executable;
        const char *folder;
    } cases[] = {
        {"/quorbel", "/"},
        {"/usr/lib/quorbel/quorbel", "/usr/lib/quorbel/"},
        {"/home/user/my games/quorbel", "/home/user/my games/"},
        {"/opt/彩票/quorbel", "/opt/彩票/"},
        {"quorbel", "/"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(quorbel::GetAppPathOf(QString::fromUtf8(c.executable)), QString::fromUtf8(c.folder)) << c.executable;
}

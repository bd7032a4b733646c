#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Nothing here may reach a real server, whatever the environment says.
    qputenv("QUORBEL_AD_SERVER", "http://127.0.0.1:9");
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

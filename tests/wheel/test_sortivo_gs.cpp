#include "wheel/SortivoGS.h"
#include <gtest/gtest.h>
TEST(SortivoGS, EmptyFileGivesEmptyTable)
{
    quorbel::TGSList list;
    quorbel::LoadGSFromBytes(QByteArray(), list);
    EXPECT_TRUE(list.isEmpty());
}

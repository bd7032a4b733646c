#include "platform/StrToIntDef.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

struct IntCase
{
    const char *text;
    std::int32_t expected;
};

class StrToIntDefTest : public testing::TestWithParam<IntCase>
{
};

TEST_P(StrToIntDefTest, ReadsOrFallsBack)
{
    const IntCase &c = GetParam();
    EXPECT_EQ(quorbel::StrToIntDef(QString::fromUtf8(c.text), -99), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Table, StrToIntDefTest,
                         testing::Values(IntCase{"0", 0}, IntCase{"7", 7}, IntCase{"  12", 12},
                                         IntCase{"-5", -5}, IntCase{"+5", 5}, IntCase{"007", 7},
                                         IntCase{"2147483647", 2147483647},
                                         IntCase{"-2147483648", -2147483647 - 1},
                                         // Everything below falls back.
                                         IntCase{"", -99}, IntCase{"   ", -99}, IntCase{"7 ", -99},
                                         IntCase{"1 2", -99}, IntCase{"-", -99}, IntCase{"+", -99},
                                         IntCase{"2147483648", -99}, IntCase{"-2147483649", -99},
                                         IntCase{"99999999999999999999", -99}, IntCase{"0x10", -99},
                                         IntCase{"1e3", -99}, IntCase{"\t5", -99}, IntCase{"５", -99},
                                         IntCase{"--1", -99}));

} // namespace

#include "settings/setting_values.h"

#include <gtest/gtest.h>

TEST(ReadSettingInteger, ReadsDigitsWithSignAndLeadingBlanks) {
    EXPECT_EQ(ReadSettingInteger("-1275", 7), -1275);
    EXPECT_EQ(ReadSettingInteger("+12", 7), 12);
    EXPECT_EQ(ReadSettingInteger("  \t 42", 7), 42);
    EXPECT_EQ(ReadSettingInteger("0", 7), 0);
}

TEST(ReadSettingInteger, StopsAtTheFirstOtherCharacter) {
    EXPECT_EQ(ReadSettingInteger("45s", 30), 45);
    EXPECT_EQ(ReadSettingInteger("12 34", 30), 12);
    EXPECT_EQ(ReadSettingInteger("3.9", 30), 3);
}

TEST(ReadSettingInteger, TextWithoutDigitsReadsAsZero) {
    EXPECT_EQ(ReadSettingInteger("abc", 30), 0);
    EXPECT_EQ(ReadSettingInteger("-", 30), 0);
    EXPECT_EQ(ReadSettingInteger("- 5", 30), 0);
}

TEST(ReadSettingInteger, MissingOrEmptyValueGivesTheDefault) {
    EXPECT_EQ(ReadSettingInteger(nullptr, 30), 30);
    EXPECT_EQ(ReadSettingInteger("", 30), 30);
    EXPECT_EQ(ReadSettingInteger("   ", -1275), -1275);
}

TEST(ReadSettingInteger, HugeNumbersWrapInsteadOfOverflowing) {
    EXPECT_EQ(ReadSettingInteger("2147483647", 0), 2147483647);
    EXPECT_EQ(ReadSettingInteger("-2147483648", 0), INT32_MIN);
    EXPECT_EQ(ReadSettingInteger("4294967297", 0), 1);
    ReadSettingInteger("99999999999999999999999999999999999999", 0);  // no trap under UBSan
}

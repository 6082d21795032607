#include <gtest/gtest.h>

#include <limits>

#include "platform/NumberText.h"

namespace {

TEST(IntegerValue, ReadsTheLeadingDecimalNumber) {
    struct Case {
        const char* text;
        int32_t value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"12x", 12},
        {" \t42", 42},
        {"-5", -5},
        {"+7", 7},
        {"- 5", 0},
        {"3.9", 3},
        {"007", 7},
        {"2147483647", 2147483647},
        {"2147483648", std::numeric_limits<int32_t>::max()},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"-99999999999999999999", std::numeric_limits<int32_t>::min()},
    };
    for (const auto& c : cases) EXPECT_EQ(integerValue(c.text), c.value) << c.text;
}

TEST(NumberValue, ReadsTheLeadingNumberAndNothingElse) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},           {"304", 304},  {"-1", -1},  {" 1.5e3x", 1500}, {".5", 0.5},
        {"-0.25|", -0.25}, {"+2", 2},     {"e5", 0},   {"inf", 0},        {"nan", 0},
        {"-", 0},          {"1e-999", 0}, {"0x10", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(numberValue(c.text), c.value) << c.text;
    EXPECT_EQ(numberValue("1e999"), std::numeric_limits<double>::max());
}

TEST(NumberText, WritesThirteenSignificantDigitsWithoutTrailingZeros) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {304, "304"},
        {-1, "-1"},
        {0, "0"},
        {0.5, "0.5"},
        {1.0 / 3, "0.3333333333333"},
        {1e20, "1e+20"},
        {123456789012345.0, "1.234567890123e+14"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numberText(c.value), c.text);
        EXPECT_DOUBLE_EQ(numberValue(numberText(c.value)), std::stod(c.text));
    }
}

}  // namespace

#include <gtest/gtest.h>

#include "forms/FieldText.h"
#include "platform/TextCodec.h"

namespace {

TEST(DateTimeText, WritesTheTimeOnlyAsFarAsItIsNotZero) {
    struct Case {
        DateTime value;
        const char* text;
    } cases[] = {
        {{2018, 3, 13, 0, 0, 0}, "2018年3月13日"},
        {{2018, 3, 13, 10, 0, 0}, "2018年3月13日10时"},
        {{2018, 3, 13, 10, 5, 0}, "2018年3月13日10时5分"},
        {{2018, 3, 13, 0, 5, 0}, "2018年3月13日0时5分"},
        {{2018, 3, 13, 0, 0, 7}, "2018年3月13日0时0分7秒"},
        {{2018, 12, 31, 23, 59, 59}, "2018年12月31日23时59分59秒"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gbkToUtf8(dateTimeText(c.value)), c.text);
        DateTime back;
        ASSERT_TRUE(parseDateTime(dateTimeText(c.value), back)) << c.text;
        EXPECT_EQ(back, c.value) << c.text;
    }
}

TEST(DateTimeText, ReadsTheNumericForms) {
    struct Case {
        const char* text;
        DateTime value;
    } cases[] = {
        {"2018-3-13", {2018, 3, 13, 0, 0, 0}},
        {"2018-03-13", {2018, 3, 13, 0, 0, 0}},
        {"2018/3/13", {2018, 3, 13, 0, 0, 0}},
        {"2018-3-13 10:05", {2018, 3, 13, 10, 5, 0}},
        {"2018/03/13 10:05:09", {2018, 3, 13, 10, 5, 9}},
        {"2020-2-29 0:00", {2020, 2, 29, 0, 0, 0}},
        {"2018年03月13日", {2018, 3, 13, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        DateTime read;
        ASSERT_TRUE(parseDateTime(utf8ToGbk(c.text), read)) << c.text;
        EXPECT_EQ(read, c.value) << c.text;
    }
}

TEST(DateTimeText, RefusesEverythingElseAndLeavesTheValue) {
    const char* texts[] = {
        "",
        "2018",
        "2018-3",
        "2018-3/13",
        "2018.3.13",
        "18-3-13",
        "2018-3-13 ",
        "2018-3-13T10:05",
        "2018-3-13 10",
        "2018-3-13 10:5",
        "2018-3-13 10:05:",
        "2018-3-13 24:00",
        "2018-3-13 10:60",
        "2018-13-1",
        "2018-2-29",
        "2018-4-31",
        "0-1-1",
        " 2018-3-13",
        "2018年3月13日5分",
        "2018年3月13日10时5",
        "2018年3月13日10时5分7秒x",
        "2018年3月",
        "2018年3月32日",
    };
    const DateTime untouched{1999, 1, 2, 3, 4, 5};
    for (const char* text : texts) {
        DateTime value = untouched;
        EXPECT_FALSE(parseDateTime(utf8ToGbk(text), value)) << text;
        EXPECT_EQ(value, untouched) << text;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include "forms/FieldText.h"
#include "platform/TextCodec.h"

namespace {

const std::string kGuangDong = "\x8F\x56\x96\x7C";  // 廣東: 東's second byte is "|"

TEST(FieldText, EmptyTextAndNoFieldsMeetEachOther) {
    EXPECT_TRUE(parseFieldText("", 5).empty());
    EXPECT_TRUE(parseFieldText("", 6).empty());
    EXPECT_EQ(formatFieldText(std::vector<FieldSpec>{}), "");
    EXPECT_EQ(formatFieldText(std::vector<ListField>{}, true), "");
}

TEST(FieldText, SampleFormParsesAndFormatsBackByteForByte) {
    std::vector<FieldSpec> fields = parseFormFieldText(sampleFieldText());
    ASSERT_EQ(fields.size(), 12u);
    EXPECT_EQ(fields[0], (FieldSpec{GBK("平台"), FieldType::Text, 10, 0, true}));
    EXPECT_EQ(fields[3], (FieldSpec{"FTP", FieldType::FtpLink, 30, 0, false}));
    EXPECT_EQ(fields[8], (FieldSpec{GBK("账号"), FieldType::Text, 30, 12, false}));
    EXPECT_EQ(fields[10], (FieldSpec{"PING", FieldType::Ping, 30, 3, false}));
    EXPECT_EQ(fields[11], (FieldSpec{GBK("备注"), FieldType::Text, 100, 0, false}));
    for (size_t i = 1; i < fields.size(); ++i) EXPECT_FALSE(fields[i].key) << i;
    EXPECT_EQ(formatFieldText(fields), sampleFieldText());
}

TEST(FieldText, ListCopyCarriesTheColumnWidth) {
    struct Case {
        std::string sixth;
        int32_t width;
    } cases[] = {
        {"|0", 100}, {"|-5", 100}, {"|", 100}, {"", 100}, {"|77", 77}, {"|77px", 77},
    };
    for (const auto& c : cases) {
        auto fields = parseFieldText("a|10|20|0|" + GBK("假") + c.sixth, 6);
        ASSERT_EQ(fields.size(), 1u);
        EXPECT_EQ(fields[0].width, c.width) << c.sixth;
    }
    auto list = parseFieldText("a|3|4|0|" + GBK("真") + "|55||b|5|6|-1|" + GBK("假") + "|120", 6);
    EXPECT_EQ(formatFieldText(list, true),
              "a|3|4|0|" + GBK("真") + "|55||b|5|6|-1|" + GBK("假") + "|120");
    EXPECT_EQ(formatFieldText(list, false), "a|3|4|0|" + GBK("真") + "||b|5|6|-1|" + GBK("假"));
    // A form's text read as a list copy: every width falls back.
    for (const ListField& f : parseFieldText(sampleFieldText(), 6)) EXPECT_EQ(f.width, 100);
}

TEST(FieldText, KeyIsTrueOnlyForExactlyTrueText) {
    struct Case {
        std::string part;
        bool key;
    } cases[] = {
        {GBK("真"), true}, {"", false},     {GBK("假"), false},
        {"1", false},      {"true", false}, {GBK("真") + " ", false},
    };
    for (const auto& c : cases) {
        auto fields = parseFormFieldText("n|10|5|0|" + c.part);
        ASSERT_EQ(fields.size(), 1u);
        EXPECT_EQ(fields[0].key, c.key) << gbkToUtf8(c.part);
    }
}

TEST(FieldText, MalformedPiecesTakeDefaults) {
    auto fields = parseFormFieldText("abc||x|1a| -7|+3||||" + GBK("真"));
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(fields[0], (FieldSpec{"abc", 0, 0, 0, false}));
    EXPECT_EQ(fields[1], (FieldSpec{"x", 1, -7, 3, false}));
    EXPECT_EQ(fields[2], (FieldSpec{"", 0, 0, 0, false}));
    EXPECT_EQ(fields[3], (FieldSpec{GBK("真"), 0, 0, 0, false}));
}

TEST(FieldText, NamesWhoseBytesHoldTheSeparatorReadBackWhole) {
    std::vector<FieldSpec> fields = {{kGuangDong, FieldType::Text, 10, 0, true},
                                     {GBK("東"), FieldType::Link, 30, 0, false}};
    std::string text = formatFieldText(fields);
    EXPECT_EQ(parseFormFieldText(text), fields);
    // A name that really contains "|" still cuts there: the stored format has no escaping.
    auto cut = parseFormFieldText(formatFieldText({{"a|b", 10, 5, 0, false}}));
    EXPECT_EQ(cut[0].name, "a");
}

TEST(SplitValue, GivesExactlyNParts) {
    using V = std::vector<std::string>;
    EXPECT_EQ(splitValue("", 2), (V{"", ""}));
    EXPECT_EQ(splitValue("t", 2), (V{"t", ""}));
    EXPECT_EQ(splitValue("t||u", 2), (V{"t", "u"}));
    EXPECT_EQ(splitValue("t||u||v", 2), (V{"t", "u"}));
    EXPECT_EQ(splitValue("u||p||s||x", 3), (V{"u", "p", "s"}));
    EXPECT_EQ(splitValue("a|b", 2), (V{"a|b", ""}));
    EXPECT_EQ(splitValue(GBK("東") + "||" + GBK("東"), 2), (V{GBK("東"), GBK("東")}));
    EXPECT_EQ(splitValue(GBK("東") + "|x", 2), (V{GBK("東") + "|x", ""}));
}

TEST(DisplayText, ShowsTitlesAndServers) {
    struct Case {
        int32_t type;
        std::string value;
        std::string shown;
    } cases[] = {
        {FieldType::Link, GBK("主页") + "||http://a.cn", GBK("主页")},
        {FieldType::Link, "http://a.cn", "http://a.cn"},
        {FieldType::QqLink, "Bob||12345", "Bob"},
        {FieldType::Link, kGuangDong + "||http://g.cn", kGuangDong},
        {FieldType::FtpLink, "user||pass||", ""},
        {FieldType::FtpLink, "||pass||ftp.a.cn", "ftp.a.cn"},
        {FieldType::FtpLink, "user||pass||ftp.a.cn", "ftp.a.cn(user)"},
        {FieldType::FtpLink, "user", ""},
        {FieldType::Text, "a||b", "a||b"},
        {FieldType::Ping, "35|200", "35|200"},
        {0, "x||y", "x||y"},
    };
    std::string scratch;
    for (const auto& c : cases) {
        EXPECT_EQ(displayText(c.type, c.value), c.shown) << c.value;
        EXPECT_EQ(displayView(c.type, c.value, scratch), c.shown) << c.value;
    }
}

TEST(ValueTexts, LogicalIntegerAndDecimal) {
    EXPECT_EQ(logicalText(true), "\xD5\xE6");
    EXPECT_EQ(logicalText(false), "\xBC\xD9");
    EXPECT_TRUE(isTrueText(logicalText(true)));
    EXPECT_FALSE(isTrueText(logicalText(false)));
    EXPECT_FALSE(isTrueText("1"));
    EXPECT_EQ(integerText(-42), "-42");
    EXPECT_EQ(decimalText(3.14159274f), "3.14159");
    EXPECT_EQ(decimalText(100000000.f), "1e+08");
    EXPECT_EQ(decimalText(0.5f), "0.5");
}

}  // namespace

#include <gtest/gtest.h>

#include "platform/GbkText.h"
#include "platform/TextCodec.h"

namespace {

const std::string kDong = "\x96\x7C";           // 東: second byte is "|"
const std::string kQian = "\x9C\x5C";           // 淺: second byte is a backslash
const std::string kEmoji = "\x94\x39\xFC\x36";  // U+1F600 in GB18030

TEST(TextCodec, RoundTripsChineseAndCharactersOutsideGbk) {
    EXPECT_EQ(utf8ToGbk("東"), kDong);
    EXPECT_EQ(utf8ToGbk("😀"), kEmoji);
    EXPECT_EQ(gbkToUtf8(kEmoji), "😀");
    EXPECT_EQ(gbkToUtf8(utf8ToGbk("澄溪·表单录入台")), "澄溪·表单录入台");
    EXPECT_EQ(GBK("真"), "\xD5\xE6");
}

TEST(TextCodec, InvalidBytesAreReplacedNotDropped) {
    EXPECT_EQ(gbkToUtf8("a\xFF"
                        "b"),
              "a\xEF\xBF\xBD"
              "b");
}

TEST(CharacterCount, CountsByTheGridRules) {
    struct Case {
        std::string text;
        int count;
    } cases[] = {
        {"", 0},
        {"abc", 3},
        {kDong + "a", 2},
        {"a\r\nb", 3},
        {"a\rb\n", 4},
        {"a\xB0", 1},  // lead byte at the very end is not counted
        {kEmoji + kDong, 2},
    };
    for (const auto& c : cases) EXPECT_EQ(characterCount(c.text), c.count) << c.text;
}

TEST(LeftCharacters, TakesWholeCharacters) {
    std::string t = kDong + "a\r\n" + kEmoji + "z";
    EXPECT_EQ(leftCharacters(t, 0), "");
    EXPECT_EQ(leftCharacters(t, 1), kDong);
    EXPECT_EQ(leftCharacters(t, 3), kDong + "a\r\n");
    EXPECT_EQ(leftCharacters(t, 4), kDong + "a\r\n" + kEmoji);
    EXPECT_EQ(leftCharacters(t, 99), t);
    EXPECT_EQ(leftCharacters(t, -1), kDong + "a\r\n" + kEmoji);
}

TEST(FindText, NeverMatchesInsideADoubleByteCharacter) {
    std::string name = "\xB9\xE3" + kDong;  // 广東
    EXPECT_EQ(findText(name, "|"), std::string::npos);
    EXPECT_EQ(findText(name + "|x", "|"), 4u);
    EXPECT_EQ(findText(kQian + "\\", "\\"), 2u);
    EXPECT_EQ(findText("\x81\x41"
                       "A",
                       "A"),
              2u);  // 丄 then A
}

TEST(FindText, ALeadByteBeforeALineEndStandsAlone) {
    // Damaged text: a lead byte directly before CR LF must not hide the line end.
    EXPECT_EQ(findText("a\x81\r\nb", "\r\n"), 2u);
    EXPECT_EQ(charLengthAt("\x81\r", 0), 1u);
    EXPECT_EQ(characterCount("\x81\r\n"), 2);
    EXPECT_EQ(charLengthAt("\x81\x30\x81\x30", 0), 4u);
}

TEST(SplitText, SplitsAtSeparatorsBetweenCharacters) {
    auto parts = splitText(kDong + "||" + kDong + "|", "||");
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0], kDong);
    EXPECT_EQ(parts[1], kDong + "|");
    EXPECT_EQ(splitText("", "|"), std::vector<std::string>{""});
    EXPECT_EQ(replaceText("a\r\nb" + kDong, "\r\n", "X"), "aXb" + kDong);
}

}  // namespace

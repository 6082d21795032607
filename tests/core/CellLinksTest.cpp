#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/FieldModel.h"
#include "links/CellLinks.h"
#include "platform/TextCodec.h"
#include "support/DesktopFakes.h"

namespace {

const std::string kQqChat = "https://wpa.qq.com/msgrd?v=3&uin=12345&site=qq&menu=yes";

struct Outcome {
    std::vector<std::string> opened;
    std::vector<std::string> copied;
    int beeps = 0;
    bool operator==(const Outcome&) const = default;
};

Outcome click(int32_t type, const std::string& value, bool alt) {
    FakeDesktop desktop;
    desktop.keys.alt = alt;
    LinkServices services{desktop.shell, desktop.clipboard, desktop.beep, desktop.keys};
    linkValueAction(type, value, services);
    return {desktop.shell.opened, desktop.clipboard.texts, desktop.beep.beeps};
}

TEST(LinkTarget, AddressOfEachLinkType) {
    EXPECT_EQ(linkTarget(FieldType::Link, "title", "http://a.cn/x", ""), "http://a.cn/x");
    EXPECT_EQ(linkTarget(FieldType::QqLink, "title", "12345", ""), kQqChat);
    EXPECT_EQ(linkTarget(FieldType::FtpLink, "U", "P", "S"), "FTP://U:P@S");
    EXPECT_EQ(linkTarget(FieldType::FtpLink, "", "", ""), "FTP://:@");
    EXPECT_EQ(linkTarget(FieldType::Text, "a", "b", "c"), "");
}

TEST(LinkValueAction, OpensOrCopiesByTypeAndAlt) {
    const std::string dong = GBK("廣東");  // second byte of 東 is "|"
    const std::string kao = GBK("丂");
    struct Case {
        int32_t type;
        std::string value;
        bool alt;
        Outcome outcome;
    } cases[] = {
        {FieldType::Link, "t||http://a.cn/x", false, {{"http://a.cn/x"}, {}, 0}},
        {FieldType::Link, "t||http://a.cn/x", true, {{}, {"http://a.cn/x"}, 1}},
        {FieldType::Link, dong + "||https://b.cn", false, {{"https://b.cn"}, {}, 0}},
        // No address part: nothing opens; Alt copies the empty text.
        {FieldType::Link, "only a title", false, {}},
        {FieldType::Link, "only a title", true, {{}, {""}, 1}},
        {FieldType::FtpLink, "U||P||S", false, {{"FTP://U:P@S"}, {}, 0}},
        {FieldType::FtpLink, "U||P||S", true, {{}, {"FTP://U:P@S"}, 1}},
        {FieldType::FtpLink, "U||P||", false, {}},
        {FieldType::FtpLink, "U||P||", true, {{}, {"FTP://U:P@"}, 1}},
        // Opening escapes what would end the user or password early; the copy stays as stored.
        {FieldType::FtpLink, "a@b||p:w/1||S", false, {{"FTP://a%40b:p%3Aw%2F1@S"}, {}, 0}},
        {FieldType::FtpLink, "a@b||p:w/1||S", true, {{}, {"FTP://a@b:p:w/1@S"}, 1}},
        // The second byte of 丂 (81 40) is "@": the character stays whole.
        {FieldType::FtpLink, kao + "@||p||S", false, {{"FTP://" + kao + "%40:p@S"}, {}, 0}},
        {FieldType::QqLink, "t||12345", false, {{kQqChat}, {}, 0}},
        {FieldType::QqLink, "t||12345", true, {{}, {kQqChat}, 1}},
        {FieldType::QqLink, "t||", false, {}},
        // Blanks around the number or the server are not part of them.
        {FieldType::QqLink, "t|| 12345 ", false, {{kQqChat}, {}, 0}},
        {FieldType::QqLink, "t||  ", false, {}},
        {FieldType::FtpLink, "U||P|| S\t", false, {{"FTP://U:P@S"}, {}, 0}},
        {FieldType::FtpLink, "U||P||  ", false, {}},
        {FieldType::Text, "t||http://a.cn", false, {}},
        {FieldType::Text, "t||http://a.cn", true, {}},
        {FieldType::Ping, "t||http://a.cn", true, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(click(c.type, c.value, c.alt), c.outcome) << c.type << " " << c.value << c.alt;
}

TEST(LinkValueAction, OpensOnlyNetworkAddressesNeverLocalPrograms) {
    struct Case {
        std::string address;
        std::vector<std::string> opened;
    } cases[] = {
        {"www.a.cn", {"http://www.a.cn"}},
        {"host:8080/page", {"http://host:8080/page"}},
        {"HTTPS://a.cn", {"HTTPS://a.cn"}},
        {"ftp://a.cn/setup.exe", {"ftp://a.cn/setup.exe"}},  // an address to fetch, not to run
        {"mailto:x@a.cn", {"mailto:x@a.cn"}},
        {"C:\\tools\\run.exe", {}},
        {"c:/tools/run.exe", {}},
        {"file:///usr/bin/xterm", {}},
        {"smb://server/share", {}},
        {"/usr/bin/xterm", {"http:///usr/bin/xterm"}},
        // Blanks around an address (typed or imported with it) are not part of it.
        {" http://a.cn/x \t", {"http://a.cn/x"}},
        {"\twww.a.cn\r\n", {"http://www.a.cn"}},
        {" file:///usr/bin/xterm", {}},
        {"   ", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(click(FieldType::Link, "t||" + c.address, false).opened, c.opened) << c.address;
    // An FTP server part ending in .exe is opened as an FTP address like any other.
    EXPECT_EQ(click(FieldType::FtpLink, "U||P||host/setup.EXE", false).opened,
              std::vector<std::string>{"FTP://U:P@host/setup.EXE"});
}

}  // namespace

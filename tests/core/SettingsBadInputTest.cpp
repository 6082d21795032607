// Settings files nobody should have to read: whatever they hold, start-up goes on, reads give
// defaults and the file written afterwards loads again.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "app/AppContext.h"
#include "app/Startup.h"
#include "forms/FieldText.h"
#include "platform/TextCodec.h"
#include "support/TempDir.h"

namespace {

std::string randomBytes(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string repeated(const std::string& piece, size_t size) {
    std::string out;
    while (out.size() < size) out += piece;
    return out;
}

struct BadFile {
    const char* name;
    std::string bytes;
};

std::vector<BadFile> badFiles() {
    return {
        {"random bytes", randomBytes(64 * 1024, 1)},
        {"no line breaks", repeated("[x]a=1", 10000)},
        {"only headers", repeated("[a]\r\n[b]\r\n[" + utf8ToGbk("表单库") + "]\r\n", 3000)},
        {"ten megabytes", randomBytes(10 * 1024 * 1024, 2)},
        {"invalid gbk", repeated("\x81\r\n\xFF\xFF=\x80|\r\n[\x81]\r\n", 2000)},
        {"lone line ends", repeated("\r\r\n\n=[]\r", 2000)},
        {"library with garbage",
         utf8ToGbk("[表单库]\r\n数量=3\r\n1_字段=|||||||\x81|||\r\n2_名称=\xFF\xFE\r\n1_名称=")},
    };
}

TEST(SettingsBadInput, StartUpGoesOnAndTheResultLoadsAgain) {
    for (const BadFile& bad : badFiles()) {
        SCOPED_TRACE(bad.name);
        TempDir dir;
        const std::string path = dir.file("澄溪·表单录入台.ini");
        TempDir::write(path, bad.bytes);
        {
            AppContext context(dir.path());
            openSettingsFile(context);
            prepareFormLibrary(context);
            EXPECT_FALSE(context.formLibrary.empty());
            context.settings.selectSection("no such section");
            EXPECT_EQ(context.settings.readText("k", "d"), "d");
            EXPECT_EQ(context.settings.readNumber("k", 2.5), 2.5);
            EXPECT_TRUE(context.settings.readBool("k", true));
            EXPECT_TRUE(context.settings.writeText("k", "v"));
            EXPECT_EQ(context.settings.readText("k", "d"), "v");
            EXPECT_EQ(TempDir::read(path), context.settings.content());
        }
        AppContext again(dir.path());
        openSettingsFile(again);
        prepareFormLibrary(again);
        EXPECT_FALSE(again.formLibrary.empty());
        again.settings.selectSection("no such section");
        EXPECT_EQ(again.settings.readText("k"), "v");
    }
}

TEST(SettingsBadInput, AnUnreadableFileGivesDefaultsInMemory) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("澄溪·表单录入台.ini"));
    AppContext context(dir.path());
    openSettingsFile(context);
    prepareFormLibrary(context);
    ASSERT_EQ(context.formLibrary.size(), 1u);
    EXPECT_EQ(formatFieldText(context.formLibrary[0].fields), sampleFieldText());
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("澄溪·表单录入台.ini")));
}

}  // namespace

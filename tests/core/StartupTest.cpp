#include "app/Startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/AppContext.h"
#include "forms/FieldText.h"
#include "platform/TextCodec.h"
#include "support/TempDir.h"

namespace {

std::string G(const char* utf8) {
    return utf8ToGbk(utf8);
}

std::string settingsOnDisk(const TempDir& dir) {
    return TempDir::read(dir.file("澄溪·表单录入台.ini"));
}

TEST(Startup, FirstStartInAnEmptyFolderLeavesTheSampleForm) {
    TempDir dir;
    {
        AppContext context(dir.path());
        openSettingsFile(context);
        prepareFormLibrary(context);
        EXPECT_EQ(context.productTitle, G("澄溪·表单录入台"));
        ASSERT_EQ(context.formLibrary.size(), 1u);
        EXPECT_EQ(context.formLibrary[0].name, G("示例表单"));
    }
    EXPECT_EQ(settingsOnDisk(dir),
              G("[表单库]\r\n1_字段=") + sampleFieldText() + G("\r\n1_名称=示例表单\r\n数量=1"));
}

TEST(Startup, AStoredLibraryIsLeftUntouched) {
    TempDir dir;
    const std::string stored = G("[主界面]\r\nx=1\r\n[表单库]\r\n数量=1\r\n1_名称=甲");
    TempDir::write(dir.file("澄溪·表单录入台.ini"), stored);
    auto before = std::filesystem::last_write_time(dir.file("澄溪·表单录入台.ini"));
    AppContext context(dir.path());
    openSettingsFile(context);
    prepareFormLibrary(context);
    ASSERT_EQ(context.formLibrary.size(), 1u);
    EXPECT_EQ(context.formLibrary[0].name, G("甲"));
    EXPECT_TRUE(context.formLibrary[0].fields.empty());
    EXPECT_EQ(settingsOnDisk(dir), stored);
    EXPECT_EQ(std::filesystem::last_write_time(dir.file("澄溪·表单录入台.ini")), before);
}

TEST(Startup, AFolderThatCannotBeWrittenStillGivesTheSampleFormInMemory) {
    TempDir dir;
    AppContext context(dir.file("missing"));
    openSettingsFile(context);
    prepareFormLibrary(context);
    ASSERT_EQ(context.formLibrary.size(), 1u);
    EXPECT_EQ(context.formLibrary[0].fields.size(), 12u);
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
}

}  // namespace

#include "forms/FormLibraryStore.h"

#include <gtest/gtest.h>

#include "forms/FieldText.h"
#include "platform/TextCodec.h"
#include "settings/SettingsStore.h"
#include "support/TempDir.h"

namespace {

std::string G(const char* utf8) {
    return utf8ToGbk(utf8);
}

class FormLibraryFile : public ::testing::Test {
  protected:
    void start(const std::optional<std::string>& bytes = std::nullopt) {
        if (bytes) TempDir::write(path(), *bytes);
        ASSERT_TRUE(settings.open(path()));
    }
    std::string path() const { return dir.file("s.ini"); }

    TempDir dir;
    SettingsStore settings;
    FormLibrary library;
};

TEST_F(FormLibraryFile, SeedingAnEmptyFileLeavesTheFourLineExample) {
    start();
    loadLibrary(library, settings);
    ASSERT_TRUE(library.empty());
    seedSampleForm(library, settings);
    const std::string expected =
        G("[表单库]\r\n1_字段=") + sampleFieldText() + G("\r\n1_名称=示例表单\r\n数量=1");
    EXPECT_EQ(TempDir::read(path()), expected);
    ASSERT_EQ(library.size(), 1u);
    EXPECT_EQ(library[0].name, G("示例表单"));
    EXPECT_EQ(library[0].fields.size(), 12u);
}

TEST_F(FormLibraryFile, LoadsTheStoredCountAndNoMore) {
    std::string file = G("[表单库]\r\n数量=2");
    for (int n = 1; n <= 5; ++n) {
        file += "\r\n" + std::to_string(n) + G("_名称=表") + std::to_string(n);
        file += "\r\n" + std::to_string(n) + G("_字段=f|10|5|0|假");
    }
    start(file);
    loadLibrary(library, settings);
    loadLibrary(library, settings);  // a second load replaces, never appends
    ASSERT_EQ(library.size(), 2u);
    EXPECT_EQ(library[0].name, G("表1"));
    EXPECT_EQ(library[1].name, G("表2"));
    EXPECT_EQ(library[1].fields, (std::vector<FieldSpec>{{"f", 10, 5, 0, false}}));
}

TEST_F(FormLibraryFile, DamagedCountsLoadWhatTheyCan) {
    struct Case {
        const char* count;
        size_t forms;
    } cases[] = {{"abc", 0}, {"-3", 0}, {"2.9", 2}, {"3", 3}, {"1e300", 10000}};
    for (const auto& c : cases) {
        start(G("[表单库]\r\n1_名称=a\r\n数量=") + c.count);
        loadLibrary(library, settings);
        EXPECT_EQ(library.size(), c.forms) << c.count;
        if (c.forms > 1) {
            EXPECT_EQ(library[0].name, "a");
            EXPECT_EQ(library[1].name, "");
            EXPECT_TRUE(library[1].fields.empty());
        }
    }
}

TEST_F(FormLibraryFile, SavedLibraryLoadsBackAndKeepsTheIndex) {
    start();
    FormLibrary saved = {
        {G("廣東"), {{G("東"), FieldType::Link, 30, 0, true}, {"n", 3, 4, -1, false}}},
        {"", {}},
        {G("三"), {{"p", FieldType::Ping, 20, 1, false}}},
    };
    saveLibrary(saved, settings, 2);
    loadLibrary(library, settings);
    ASSERT_EQ(library.size(), 3u);
    for (size_t i = 0; i < saved.size(); ++i) {
        EXPECT_EQ(library[i].name, saved[i].name);
        EXPECT_EQ(library[i].fields, saved[i].fields);
    }
    settings.selectSection(formLibrarySection());
    EXPECT_EQ(settings.readNumber(formIndexKey()), 2);
    saveLibrary({}, settings, -1);
    loadLibrary(library, settings);
    EXPECT_TRUE(library.empty());
    settings.selectSection(formLibrarySection());
    EXPECT_EQ(settings.readNumber(formIndexKey(), 9), -1);
}

TEST_F(FormLibraryFile, HandlersSelectingOtherSectionsDoNotMisdirectTheLibrary) {
    start();
    settings.setYieldToUi([&] { settings.selectSection(G("主界面")); });
    saveLibrary({{"a", {}}, {"b", {}}}, settings, 1);
    loadLibrary(library, settings);
    ASSERT_EQ(library.size(), 2u);
    EXPECT_EQ(library[1].name, "b");
    EXPECT_EQ(settings.content().find(G("[主界面]")), std::string::npos);
}

// A load that a handler starts while another is reading (each read lets events through) leaves
// the library as stored, not twice over, and the library holds whole forms throughout.
TEST_F(FormLibraryFile, ALoadStartedDuringALoadLeavesTheStoredForms) {
    start();
    saveLibrary({{"a", {}}, {"b", {}}}, settings, 0);
    std::vector<size_t> sizesSeen;
    bool nested = false;
    settings.setYieldToUi([&] {
        sizesSeen.push_back(library.size());
        if (nested) return;
        nested = true;
        loadLibrary(library, settings);
    });
    library = {{"old", {}}};
    loadLibrary(library, settings);
    ASSERT_EQ(library.size(), 2u);
    EXPECT_EQ(library[0].name, "a");
    EXPECT_EQ(library[1].name, "b");
    for (size_t size : sizesSeen) EXPECT_TRUE(size == 1 || size == 2) << size;
}

}  // namespace

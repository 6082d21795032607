#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/TextCodec.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

std::string G(const char* utf8) {
    return utf8ToGbk(utf8);
}

// A store on a file in a fresh folder that starts with the given bytes (none: no file).
class SettingsFile : public ::testing::Test {
  protected:
    void start(const std::optional<std::string>& bytes = std::nullopt) {
        if (bytes) TempDir::write(path(), *bytes);
        ASSERT_TRUE(store.open(path()));
    }
    std::string path() const { return dir.file("s.ini"); }
    std::string onDisk() const { return TempDir::read(path()); }
    // The disk equals the content after every completed change.
    void expectContent(const std::string& bytes) {
        EXPECT_EQ(gbkToUtf8(store.content()), gbkToUtf8(bytes));
        EXPECT_EQ(onDisk(), store.content());
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    SettingsStore store{{}, &dialogs};
};

TEST_F(SettingsFile, FirstWriteIntoAnEmptyFileMakesTwoLines) {
    start();
    EXPECT_TRUE(std::filesystem::exists(path()));
    store.selectSection(G("表单库"));
    EXPECT_TRUE(store.writeNumber(G("数量"), 1));
    expectContent(G("[表单库]\r\n数量=1"));
}

TEST_F(SettingsFile, NewSectionsAppendAndNewKeysGoUnderTheHeader) {
    start();
    store.selectSection("a");
    EXPECT_TRUE(store.writeText("A", "1"));
    EXPECT_TRUE(store.writeText("B", "2"));
    EXPECT_TRUE(store.writeText("C", "3"));
    expectContent("[a]\r\nC=3\r\nB=2\r\nA=1");
    EXPECT_TRUE(store.writeText("A", "long value"));
    expectContent("[a]\r\nC=3\r\nB=2\r\nA=long value");
    store.selectSection("b");
    EXPECT_TRUE(store.writeBool("x", true));
    expectContent("[a]\r\nC=3\r\nB=2\r\nA=long value\r\n[b]\r\nx=" + G("真"));
    store.selectSection("a");
    EXPECT_TRUE(store.writeText("B", ""));
    expectContent("[a]\r\nC=3\r\nB=\r\nA=long value\r\n[b]\r\nx=" + G("真"));
}

TEST_F(SettingsFile, HeadersCountOnlyAtALineStart) {
    start("[s]\r\nv=[x]\r\n[x]\r\nk=2");
    store.selectSection("x");
    EXPECT_EQ(store.readText("k"), "2");
    EXPECT_TRUE(store.writeText("n", "1"));
    expectContent("[s]\r\nv=[x]\r\n[x]\r\nn=1\r\nk=2");
}

TEST_F(SettingsFile, KeysOfLaterSectionsAreMissingInEarlierOnes) {
    start("[a]\r\nk=1\r\n[b]\r\nm=2");
    store.selectSection("a");
    EXPECT_EQ(store.readText("m", "def"), "def");
    EXPECT_TRUE(store.writeText("m", "3"));
    expectContent("[a]\r\nm=3\r\nk=1\r\n[b]\r\nm=2");
    store.selectSection("b");
    EXPECT_EQ(store.readText("m"), "2");
}

TEST_F(SettingsFile, AnEmptySectionDoesNotReachIntoTheNext) {
    const std::string original = "[e]\r\n[n]\r\nk=1";
    start(original);
    store.selectSection("e");
    EXPECT_EQ(store.readNumber("k", 7), 7);
    EXPECT_EQ(store.renameKey("e", "k", "z"), SettingsStore::NoSuchKey);
    EXPECT_EQ(onDisk(), original);
    EXPECT_TRUE(store.writeNumber("k", 5));
    expectContent("[e]\r\nk=5\r\n[n]\r\nk=1");
}

TEST_F(SettingsFile, ABracketInsideADoubleByteCharacterIsNoHeaderEnd) {
    // The last character of this line, 0x81 0x5D, has "]" as its second byte: the line is a
    // key line, not a header, so b still belongs to section s.
    start("[s]\r\n[k=\x81\x5D\r\nb=2");
    store.selectSection("s");
    EXPECT_EQ(store.readText("b"), "2");
}

TEST_F(SettingsFile, LineBreaksAreStoredOnOneLine) {
    start();
    store.selectSection("t");
    EXPECT_TRUE(store.writeText("m", "one\r\ntwo"));
    expectContent("[t]\r\nm=one" + G("┊*┊") + "two");
    EXPECT_EQ(store.readText("m"), "one\r\ntwo");
    EXPECT_TRUE(store.writeText("m", "a" + G("┊*┊") + "b"));
    EXPECT_EQ(store.readText("m"), "a\r\nb");
    EXPECT_EQ(store.readText("missing", "x\r\ny"), "x\r\ny");
}

TEST_F(SettingsFile, EmptyAndOddValuesReadAsDefaults) {
    start("[t]\r\ne=\r\nb=1\r\nn=12abc\r\nw=" + G("真"));
    store.selectSection("t");
    EXPECT_EQ(store.readText("e", "d"), "d");
    EXPECT_EQ(store.readNumber("e", 4.5), 4.5);
    EXPECT_TRUE(store.readBool("e", true));
    EXPECT_FALSE(store.readBool("e", false));
    EXPECT_FALSE(store.readBool("b", true));
    EXPECT_TRUE(store.readBool("w"));
    EXPECT_EQ(store.readNumber("n"), 12);
    EXPECT_EQ(store.readValue("t", "e", "d", false), "");
    store.selectSection("nowhere");
    EXPECT_EQ(store.readText("e", "d"), "d");
    EXPECT_EQ(store.content(), onDisk());  // reads create nothing
}

TEST_F(SettingsFile, NumbersUseThirteenSignificantDigits) {
    start();
    store.selectSection("n");
    store.writeNumber("a", 304);
    store.writeNumber("b", -1);
    store.writeNumber("c", 1.0 / 3);
    expectContent("[n]\r\nc=0.3333333333333\r\nb=-1\r\na=304");
    EXPECT_EQ(store.readNumber("b"), -1);
}

TEST_F(SettingsFile, RenameKeyReportsWhatItFound) {
    const std::string original = "[l]\r\nold=v\r\n[m]\r\nq=1";
    start(original);
    EXPECT_EQ(store.renameKey("zz", "old", "new"), SettingsStore::NoSuchSection);
    EXPECT_EQ(store.renameKey("l", "q", "new"), SettingsStore::NoSuchKey);
    EXPECT_EQ(onDisk(), original);
    EXPECT_EQ(store.renameKey("l", "old", G("新名")), SettingsStore::Done);
    expectContent("[l]\r\n" + G("新名") + "=v\r\n[m]\r\nq=1");
}

// List names are keys of their section and may hold "=": the whole name is renamed, not the part
// before its first "=".
TEST_F(SettingsFile, RenameKeyReplacesAKeyThatHoldsAnEqualsSign) {
    start("[l]\r\na=b=v\r\nc=w");
    EXPECT_EQ(store.renameKey("l", "a=b", "x"), SettingsStore::Done);
    expectContent("[l]\r\nx=v\r\nc=w");
    store.selectSection("l");
    EXPECT_EQ(store.readText("x"), "v");
    EXPECT_EQ(store.renameKey("l", "x", "y=z"), SettingsStore::Done);
    EXPECT_EQ(store.readText("y=z"), "v");
    expectContent("[l]\r\ny=z=v\r\nc=w");
}

TEST_F(SettingsFile, ChangesRequestedDuringAChangeWaitTheirTurn) {
    start();
    std::vector<bool> nestedResults;
    std::vector<std::string> readsDuringYield;
    int yields = 0;
    store.setYieldToUi([&] {
        ++yields;
        if (yields == 1) {
            EXPECT_TRUE(store.busy());
            store.selectSection("other");
            nestedResults.push_back(store.writeText("n1", "x"));
            nestedResults.push_back(store.renameKey("q", "first", "renamed") ==
                                    SettingsStore::Queued);
            nestedResults.push_back(store.writeText("n2", "y"));
            readsDuringYield.push_back(store.readText("n1", "not yet"));
        }
    });
    store.selectSection("q");
    EXPECT_TRUE(store.writeText("first", "1"));
    EXPECT_EQ(nestedResults, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(readsDuringYield, std::vector<std::string>{"not yet"});
    EXPECT_FALSE(store.busy());
    EXPECT_EQ(store.pendingCount(), 0u);
    // The section of the first write was copied when it was requested.
    expectContent("[q]\r\nrenamed=1\r\n[other]\r\nn2=y\r\nn1=x");
}

TEST_F(SettingsFile, AReadUsesTheSectionSelectedWhenItWasCalled) {
    start("[a]\r\nk=1\r\n[b]\r\nk=2");
    store.setYieldToUi([&] { store.selectSection("b"); });
    store.selectSection("a");
    EXPECT_EQ(store.readText("k"), "1");
    store.selectSection("a");
    EXPECT_EQ(store.readNumber("k"), 1);
    store.selectSection("a");
    EXPECT_TRUE(store.writeText("k", "3"));
    expectContent("[a]\r\nk=3\r\n[b]\r\nk=2");
}

TEST_F(SettingsFile, ASelectionMadeDuringAYieldEndsWithIt) {
    start("[a]\r\nk=1\r\n[b]\r\nk=2");
    std::string handlerRead;
    bool inHandler = false;
    store.setYieldToUi([&] {
        if (inHandler) return;
        inHandler = true;
        store.selectSection("b");
        handlerRead = store.readText("k");
        inHandler = false;
    });
    store.selectSection("a");
    EXPECT_TRUE(store.writeText("n", "x"));
    EXPECT_EQ(handlerRead, "2");
    EXPECT_EQ(store.currentSection(), "a");
    EXPECT_TRUE(store.writeText("m", "y"));
    expectContent("[a]\r\nm=y\r\nn=x\r\nk=1\r\n[b]\r\nk=2");
}

TEST_F(SettingsFile, ASecondStoreOnTheSameFileWorksInMemory) {
    start("[a]\r\nk=1");
    SettingsStore second;
    EXPECT_FALSE(second.open(path()));
    second.selectSection("a");
    EXPECT_EQ(second.readText("k"), "1");
    EXPECT_TRUE(second.writeText("k", "2"));
    EXPECT_EQ(second.readText("k"), "2");
    EXPECT_EQ(onDisk(), "[a]\r\nk=1");
    store.selectSection("a");
    EXPECT_TRUE(store.writeText("k", "3"));
    EXPECT_EQ(onDisk(), "[a]\r\nk=3");
    store.close();
    SettingsStore third;
    EXPECT_TRUE(third.open(path()));
    third.selectSection("a");
    EXPECT_EQ(third.readText("k"), "3");
}

TEST_F(SettingsFile, WritesLeaveNoTemporaryFilesBehind) {
    start();
    store.selectSection("a");
    for (int i = 0; i < 5; ++i) store.writeNumber("k" + std::to_string(i), i);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".s.ini.lock", "s.ini"}));
}

TEST_F(SettingsFile, AFolderThatVanishesIsReportedOnce) {
    start();
    std::filesystem::remove_all(dir.path());
    dialogs.expectMessage(G("配置模块出现意外，可能导致无法正常保存！详情请咨询澄溪。"),
                          MessageIcon::Warning, MessageAnswer::Ok, G("澄溪："));
    store.selectSection("a");
    EXPECT_FALSE(store.writeText("k", "1"));
    EXPECT_FALSE(store.writeText("k", "2"));
    EXPECT_EQ(store.readText("k"), "2");
}

TEST_F(SettingsFile, ASectionThatCannotBeFoundAfterAppendingIsGivenUp) {
    start();
    // A handler that reopens the file during every yield throws away each append.
    store.setYieldToUi([&] { store.open(path()); });
    dialogs.expectMessage(G("配置模块出现意外，可能导致无法正常保存！详情请咨询澄溪。"),
                          MessageIcon::Warning, MessageAnswer::Ok, G("澄溪："));
    dialogs.expectMessage("[lost]", MessageIcon::Warning);
    store.selectSection("lost");
    EXPECT_FALSE(store.writeText("k", "1"));
}

TEST(SettingsStoreFailures, UnreadableOrDirectoryPathGivesDefaults) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("d.ini"));
    SettingsStore store;
    EXPECT_FALSE(store.open(dir.file("d.ini")));
    store.selectSection("a");
    EXPECT_EQ(store.readNumber("k", 3), 3);
    EXPECT_TRUE(store.writeNumber("k", 4));
    EXPECT_EQ(store.readNumber("k"), 4);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("d.ini")));
}

TEST(SettingsStoreFailures, AFolderThatDoesNotExistGivesDefaults) {
    TempDir dir;
    SettingsStore store;
    EXPECT_FALSE(store.open(dir.file("no/such/s.ini")));
    store.selectSection("a");
    EXPECT_EQ(store.readText("k", "d"), "d");
    EXPECT_FALSE(std::filesystem::exists(dir.file("no")));
}

}  // namespace

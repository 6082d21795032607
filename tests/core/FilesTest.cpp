#include "platform/Files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "support/TempDir.h"

namespace {

TEST(ReplaceFileAtomically, ReplacesWholeFilesAndKeepsLinks) {
    TempDir dir;
    const std::string path = dir.file("a.txt");
    ASSERT_TRUE(replaceFileAtomically(path, "first"));
    ASSERT_TRUE(replaceFileAtomically(path, "2nd"));
    EXPECT_EQ(TempDir::read(path), "2nd");
    std::filesystem::create_symlink(path, dir.file("link.txt"));
    ASSERT_TRUE(replaceFileAtomically(dir.file("link.txt"), "through the link"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(TempDir::read(path), "through the link");
    EXPECT_FALSE(std::filesystem::exists(dir.file(".a.txt.new")));
    EXPECT_FALSE(replaceFileAtomically(dir.file("no/such/folder.txt"), "x"));
}

// A file the user keeps private stays private after it is replaced; a new one gets the usual mode.
TEST(ReplaceFileAtomically, KeepsThePermissionsOfTheFileItReplaces) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string path = dir.file("p.ini");
    ASSERT_TRUE(replaceFileAtomically(path, "new file"));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::others_write, fs::perms::none);
    for (fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write,
                           fs::perms::owner_all | fs::perms::group_read}) {
        fs::permissions(path, mode);
        ASSERT_TRUE(replaceFileAtomically(path, "replaced"));
        EXPECT_EQ(fs::status(path).permissions(), mode);
        EXPECT_EQ(TempDir::read(path), "replaced");
    }
}

// The data and then the rename reach the disk before success is reported: a crash of the machine
// after a reported write must not bring the old file back.
TEST(ReplaceFileAtomically, FlushesTheDataThenTheRenameBeforeReportingSuccess) {
    TempDir dir;
    const std::string command =
        std::string(LISTARO_TEST_HELPERS_DIR "/sync_recorder ") + dir.file("s.ini");
    FILE* out = ::popen(command.c_str(), "r");
    ASSERT_NE(out, nullptr);
    std::string calls;
    char line[256];
    while (std::fgets(line, sizeof line, out)) calls += line;
    ASSERT_EQ(::pclose(out), 0);
    EXPECT_EQ(calls, "sync file\nrename\nsync folder\nresult 1\n");
    EXPECT_EQ(TempDir::read(dir.file("s.ini")), "content");
}

TEST(ReadWholeFile, ReadsBytesAndRefusesWhatIsNoFile) {
    TempDir dir;
    TempDir::write(dir.file("b.bin"), std::string("a\0\r\n\xFF", 5));
    std::string content = "old";
    ASSERT_TRUE(readWholeFile(dir.file("b.bin"), content));
    EXPECT_EQ(content, std::string("a\0\r\n\xFF", 5));
    EXPECT_FALSE(readWholeFile(dir.file("missing"), content));
    EXPECT_EQ(content, "");
    EXPECT_FALSE(readWholeFile(dir.path(), content));
}

TEST(HiddenSiblingPath, PutsADotBeforeTheName) {
    EXPECT_EQ(hiddenSiblingPath("/x/y.ini", ".lock"), "/x/.y.ini.lock");
    EXPECT_EQ(hiddenSiblingPath("y.ini", ".new"), ".y.ini.new");
}

}  // namespace

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "platform/TextCodec.h"
#include "platform/sqlite/SqliteRecordTable.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const std::string kDong = "\x96\x7C";  // 東: its second byte is "|"

std::vector<ColumnDefinition> allTypes() {
    return {{"整数", ColumnType::Integer, 0},
            {"小数", ColumnType::Decimal, 0},
            {"逻辑", ColumnType::Boolean, 0},
            {"时间", ColumnType::DateTime, 0},
            {"文本", ColumnType::Text, 4},
            {"长文本", ColumnType::LongText, 0},
            {"未知", 0, 3}};
}

class RecordTableTest : public ::testing::Test {
  protected:
    std::string path(const std::string& name) { return folder.path() + "/" + name + ".edb"; }
    std::string companion(const std::string& name) { return folder.path() + "/" + name + ".edt"; }

    void createAndOpen(const std::string& name, const std::vector<ColumnDefinition>& columns) {
        ASSERT_TRUE(table.create(path(name), columns)) << table.lastErrorMessage();
        ASSERT_TRUE(table.open(path(name), name)) << table.lastErrorMessage();
    }

    RecordValue readValue(int column) {
        RecordValue v;
        EXPECT_TRUE(table.read(column, v)) << table.lastErrorMessage();
        return v;
    }

    std::string readText(int column) { return std::get<std::string>(readValue(column)); }

    // Adds records whose first (text) column holds the given texts.
    std::vector<int32_t> addTexts(std::initializer_list<std::string> texts) {
        std::vector<int32_t> bookmarks;
        for (const auto& t : texts) {
            EXPECT_TRUE(table.addBlankRecord());
            EXPECT_TRUE(table.write(1, t));
            bookmarks.push_back(table.bookmark());
        }
        return bookmarks;
    }

    std::vector<std::string> allTexts() {
        std::vector<std::string> texts;
        for (int r = 1; r <= table.recordCount(); ++r) {
            EXPECT_TRUE(table.goTo(r));
            texts.push_back(readText(1));
        }
        return texts;
    }

    TempDir folder;
    SqliteRecordTable table{200ms};
};

// A second connection to a table file, as another program would hold one.
class OutsideConnection {
  public:
    explicit OutsideConnection(const std::string& path) {
        sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~OutsideConnection() { sqlite3_close_v2(db_); }
    int exec(const std::string& sql) {
        return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    }
    int count(const std::string& sql) {
        sqlite3_stmt* s = nullptr;
        int n = -1;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr) == SQLITE_OK &&
            sqlite3_step(s) == SQLITE_ROW)
            n = sqlite3_column_int(s, 0);
        sqlite3_finalize(s);
        return n;
    }

  private:
    sqlite3* db_ = nullptr;
};

TEST_F(RecordTableTest, CreationRefusesBadColumnsAndLeavesNoFile) {
    struct Case {
        const char* what;
        std::vector<ColumnDefinition> columns;
    } cases[] = {
        {"no column", {}},
        {"same name twice", {{"a", ColumnType::Text, 10}, {"a", ColumnType::Integer, 0}}},
        {"empty name", {{"", ColumnType::Text, 10}}},
        {"bar in name", {{"a|b", ColumnType::Text, 10}}},
        {"line break in name", {{"a\nb", ColumnType::Text, 10}}},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(table.create(path("t"), c.columns)) << c.what;
        EXPECT_FALSE(table.lastErrorMessage().empty()) << c.what;
        EXPECT_FALSE(fs::exists(path("t"))) << c.what;
        EXPECT_FALSE(fs::exists(companion("t"))) << c.what;
    }
    // A character whose second byte is "|" is not a bar.
    EXPECT_TRUE(table.create(path("t"), {{kDong, ColumnType::Text, 10}}));
    EXPECT_TRUE(fs::exists(path("t")) && fs::exists(companion("t")));
}

TEST_F(RecordTableTest, CreationNeverReplacesATableButReplacesAStrayCompanion) {
    createAndOpen("t", {{"a", ColumnType::Text, 10}});
    addTexts({"kept"});
    table.close("t");
    EXPECT_FALSE(table.create(path("t"), {{"b", ColumnType::Text, 10}}));
    ASSERT_TRUE(table.open(path("t"), "t"));
    EXPECT_EQ(allTexts(), std::vector<std::string>{"kept"});

    std::ofstream(companion("stray")) << "left over";
    ASSERT_TRUE(table.create(path("stray"), {{"a", ColumnType::LongText, 0}}));
    ASSERT_TRUE(table.open(path("stray"), "stray")) << table.lastErrorMessage();
}

TEST_F(RecordTableTest, WritesFollowTheColumnTypes) {
    createAndOpen("t", allTypes());
    const DateTime march13{2018, 3, 13, 10, 5, 0};
    struct Case {
        int column;
        RecordValue written;
        bool accepted;
        RecordValue readBack;
    } cases[] = {
        {1, int32_t{-42}, true, int32_t{-42}},
        {1, 2.6f, true, int32_t{3}},
        {1, 3e10f, false, int32_t{0}},
        {1, std::string("12"), false, int32_t{0}},
        {1, true, false, int32_t{0}},
        {2, 1.5f, true, 1.5f},
        {2, int32_t{7}, true, 7.0f},
        {2, std::string("1.5"), false, 0.0f},
        {3, true, true, true},
        {3, int32_t{1}, false, false},
        {3, std::string("真"), false, false},
        {4, march13, true, march13},
        {4, DateTime{2018, 2, 30, 0, 0, 0}, false, DateTime{}},
        {4, std::string("2018年3月13日"), false, DateTime{}},
        {5, std::string("abcd"), true, std::string("abcd")},
        {5, std::string("abcde"), true, std::string("abcd")},
        {5, "ab" + kDong + "c", true, "ab" + kDong},
        {5, "abc" + kDong, true, std::string("abc")},
        {5, int32_t{12}, false, std::string()},
        {6, std::string(100000, 'x'), true, std::string(100000, 'x')},
        {6, int32_t{12}, false, std::string()},
        {7, std::string("abcdef"), true, std::string("abc")},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(table.addBlankRecord());
        EXPECT_EQ(table.write(c.column, c.written), c.accepted) << "column " << c.column;
        EXPECT_EQ(readValue(c.column), c.readBack) << "column " << c.column;
    }
    // The values survive a reopen, long texts included.
    table.close("t");
    ASSERT_TRUE(table.open(path("t"), "t"));
    for (int r = 1; r <= table.recordCount(); ++r) {
        ASSERT_TRUE(table.goTo(r));
        EXPECT_EQ(readValue(cases[r - 1].column), cases[r - 1].readBack) << "record " << r;
    }
}

TEST_F(RecordTableTest, BlankRecordsHoldEmptyValuesAndTextColumnsTakeEachOthersValues) {
    createAndOpen("t", allTypes());
    ASSERT_TRUE(table.addBlankRecord());
    EXPECT_EQ(readValue(1), RecordValue(int32_t{0}));
    EXPECT_EQ(readValue(2), RecordValue(0.0f));
    EXPECT_EQ(readValue(3), RecordValue(false));
    EXPECT_EQ(readValue(4), RecordValue(DateTime{}));
    EXPECT_EQ(readValue(5), RecordValue(std::string()));
    EXPECT_EQ(readValue(6), RecordValue(std::string()));

    RecordValue longText;
    ASSERT_TRUE(table.write(6, std::string("long")));
    ASSERT_TRUE(table.read(6, longText));
    EXPECT_TRUE(table.write(5, longText));
    EXPECT_EQ(readText(5), "long");
}

TEST_F(RecordTableTest, TextColumnsReadStraightIntoAText) {
    createAndOpen("t", allTypes());
    ASSERT_TRUE(table.addBlankRecord());
    ASSERT_TRUE(table.write(5, std::string("abc")));
    ASSERT_TRUE(table.write(6, std::string(3000, 'm')));
    ASSERT_TRUE(table.write(7, std::string("xy")));
    std::string text = "old";
    struct Case {
        int column;
        bool read;
        std::string text;
    } cases[] = {{5, true, "abc"}, {6, true, std::string(3000, 'm')},
                 {7, true, "xy"},  {1, false, "xy"},
                 {4, false, "xy"}, {8, false, "xy"}};
    for (const auto& c : cases) {
        EXPECT_EQ(table.readText(c.column, text), c.read) << c.column;
        EXPECT_EQ(text, c.text) << c.column;
        std::string_view view = "old";
        EXPECT_EQ(table.readTextView(c.column, view), c.read) << c.column;
        if (c.read) EXPECT_EQ(view, c.text) << c.column;
    }
    // The whole record at once: the same texts, and no data for the other columns, so that an
    // empty text still tells itself apart from them.
    ASSERT_TRUE(table.write(7, std::string()));
    std::vector<std::string_view> views(2);
    ASSERT_TRUE(table.readTextViews(views));
    ASSERT_EQ(views.size(), 7u);
    for (int column : {1, 2, 3, 4}) EXPECT_EQ(views[column - 1].data(), nullptr) << column;
    EXPECT_EQ(views[4], "abc");
    EXPECT_EQ(views[5], std::string(3000, 'm'));
    EXPECT_NE(views[6].data(), nullptr);
    EXPECT_EQ(views[6], "");
}

TEST_F(RecordTableTest, BookmarksNeverChangeNorComeBackAfterPurging) {
    createAndOpen("t", {{"a", ColumnType::Text, 10}, {"memo", ColumnType::LongText, 0}});
    auto marks = addTexts({"r1", "r2", "r3", "r4"});
    ASSERT_TRUE(table.goToBookmark(marks[3]));
    ASSERT_TRUE(table.write(2, std::string("memo of r4")));

    for (int32_t deleted : {marks[1], marks[3]}) {
        ASSERT_TRUE(table.goToBookmark(deleted));
        ASSERT_TRUE(table.deleteRecord());
    }
    // Marked records keep their numbers until the purge.
    EXPECT_EQ(table.recordCount(), 4);
    ASSERT_TRUE(table.goToBookmark(marks[2]));
    EXPECT_EQ(table.recordNumber(), 3);
    ASSERT_TRUE(table.purgeDeleted());

    EXPECT_EQ(allTexts(), (std::vector<std::string>{"r1", "r3"}));
    ASSERT_TRUE(table.goToBookmark(marks[2]));
    EXPECT_EQ(table.recordNumber(), 2);
    EXPECT_EQ(readText(1), "r3");
    EXPECT_FALSE(table.goToBookmark(marks[1]));
    EXPECT_FALSE(table.goToBookmark(marks[3]));

    // The last bookmark was purged; neither a new record nor one after a reopen takes it again.
    auto added = addTexts({"r5"});
    EXPECT_GT(added[0], marks[3]);
    table.close("t");
    ASSERT_TRUE(table.open(path("t"), "t"));
    ASSERT_TRUE(table.goToBookmark(added[0]));
    EXPECT_EQ(table.recordNumber(), 3);
    EXPECT_EQ(readText(2), "");  // the purged record's long text did not come back
    EXPECT_GT(addTexts({"r6"})[0], added[0]);
}

TEST_F(RecordTableTest, GoToReadsEveryRecordInFileOrderInAnyOrder) {
    createAndOpen("t", {{"a", ColumnType::Text, 10}, {"n", ColumnType::Integer, 0}});
    for (int i = 1; i <= 50; ++i) {
        ASSERT_TRUE(table.addBlankRecord());
        ASSERT_TRUE(table.write(1, "r" + std::to_string(i)));
        ASSERT_TRUE(table.write(2, int32_t{i}));
    }
    for (int r : {1, 2, 3, 50, 49, 10, 11, 11, 12, 1}) {
        ASSERT_TRUE(table.goTo(r));
        EXPECT_EQ(table.recordNumber(), r);
        EXPECT_EQ(readText(1), "r" + std::to_string(r));
        EXPECT_EQ(readValue(2), RecordValue(int32_t{r}));
    }
    // A write between sequential steps is seen by the next read.
    ASSERT_TRUE(table.goTo(20));
    ASSERT_TRUE(table.goTo(21));
    ASSERT_TRUE(table.write(1, std::string("changed")));
    ASSERT_TRUE(table.goTo(22));
    ASSERT_TRUE(table.goTo(21));
    EXPECT_EQ(readText(1), "changed");
    EXPECT_FALSE(table.goTo(0));
    EXPECT_FALSE(table.goTo(51));
    EXPECT_EQ(table.recordNumber(), 21);
    RecordValue v;
    EXPECT_FALSE(table.read(3, v));
}

// A freshly opened table learns its records as they are walked; whatever interrupts the walk
// must see the whole table, gaps left by purged records included.
TEST_F(RecordTableTest, AWalkAfterOpeningMeetsEveryRecordWhateverInterruptsIt) {
    createAndOpen("t", {{"a", ColumnType::Text, 10}});
    auto marks = addTexts({"r1", "gone", "r2", "r3", "gone", "r4", "r5", "r6"});
    for (int32_t deleted : {marks[1], marks[4]}) {
        ASSERT_TRUE(table.goToBookmark(deleted));
        ASSERT_TRUE(table.deleteRecord());
    }
    ASSERT_TRUE(table.purgeDeleted());
    const std::vector<std::string> texts{"r1", "r2", "r3", "r4", "r5", "r6"};
    const std::vector<int32_t> kept{marks[0], marks[2], marks[3], marks[5], marks[6], marks[7]};

    struct Case {
        const char* name;
        int walkedTo;  // records walked in turn before the interruption
        std::function<void()> interrupt;
        std::vector<std::string> textsAfter;
    };
    std::vector<Case> cases{
        {"count", 2, [&] { EXPECT_EQ(table.recordCount(), 6); }, texts},
        {"bookmark past the walk", 1,
         [&] {
             ASSERT_TRUE(table.goToBookmark(kept[4]));
             EXPECT_EQ(table.recordNumber(), 5);
             EXPECT_EQ(readText(1), "r5");
         },
         texts},
        {"bookmark of a purged record", 3, [&] { EXPECT_FALSE(table.goToBookmark(marks[4])); },
         texts},
        {"jump ahead", 2,
         [&] {
             ASSERT_TRUE(table.goTo(6));
             EXPECT_EQ(readText(1), "r6");
         },
         texts},
        {"record added",
         3,
         [&] {
             ASSERT_TRUE(table.addBlankRecord());
             ASSERT_TRUE(table.write(1, std::string("r7")));
             EXPECT_EQ(table.recordNumber(), 7);
         },
         {"r1", "r2", "r3", "r4", "r5", "r6", "r7"}},
        {"write",
         4,
         [&] { ASSERT_TRUE(table.write(1, std::string("x4"))); },
         {"r1", "r2", "r3", "x4", "r5", "r6"}},
        {"walk to the end", 6, [&] { EXPECT_FALSE(table.goTo(7)); }, texts},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        table.close("t");
        ASSERT_TRUE(table.open(path("t"), "t"));
        for (int r = 1; r <= c.walkedTo; ++r) {
            ASSERT_TRUE(table.goTo(r));
            EXPECT_EQ(table.bookmark(), kept[r - 1]);
            EXPECT_EQ(readText(1), texts[r - 1]);
        }
        c.interrupt();
        EXPECT_EQ(allTexts(), c.textsAfter);
        EXPECT_FALSE(table.goTo(static_cast<int>(c.textsAfter.size()) + 1));
        // Undo a case's writes for the next one.
        if (c.textsAfter != texts) {
            ASSERT_TRUE(table.goTo(static_cast<int>(c.textsAfter.size())));
            if (c.textsAfter.size() > texts.size()) {
                ASSERT_TRUE(table.deleteRecord());
                ASSERT_TRUE(table.purgeDeleted());
            }
            ASSERT_TRUE(table.goTo(4));
            ASSERT_TRUE(table.write(1, std::string("r4")));
        }
    }
}

TEST_F(RecordTableTest, SeveralTablesOpenUnderAliases) {
    createAndOpen("a", {{"x", ColumnType::Text, 10}});
    addTexts({"in a"});
    createAndOpen("b", {{"y", ColumnType::Text, 10}, {"z", ColumnType::Integer, 0}});
    EXPECT_TRUE(table.isOpen(path("a")));
    EXPECT_TRUE(table.isOpen(path("b")));
    EXPECT_FALSE(table.isOpen(path("c")));
    EXPECT_EQ(table.fieldCount(), 2);
    EXPECT_EQ(table.fieldName(1), "y");
    EXPECT_EQ(table.fieldType(2), ColumnType::Integer);
    EXPECT_EQ(table.recordCount(), 0);

    ASSERT_TRUE(table.setCurrent("a"));
    EXPECT_EQ(table.fieldName(1), "x");
    EXPECT_EQ(allTexts(), std::vector<std::string>{"in a"});
    EXPECT_FALSE(table.setCurrent("c"));
    EXPECT_FALSE(table.open(path("b"), "a"));  // the alias is taken

    table.close("b");
    table.close("never opened");
    EXPECT_FALSE(table.isOpen(path("b")));
    EXPECT_TRUE(table.isOpen(path("a")));
}

TEST_F(RecordTableTest, OthersMayReadAnOpenTableButNotWriteIt) {
    createAndOpen("t", {{"a", ColumnType::Text, 10}});
    addTexts({"one", "two"});
    OutsideConnection outside(gbkToUtf8(path("t")));
    EXPECT_EQ(outside.count("SELECT count(*) FROM records"), 2);
    EXPECT_EQ(outside.exec("PRAGMA busy_timeout=0; INSERT INTO records DEFAULT VALUES"),
              SQLITE_BUSY);

    SqliteRecordTable otherProgram{100ms};
    EXPECT_FALSE(otherProgram.open(path("t"), "t"));
    EXPECT_FALSE(otherProgram.lastErrorMessage().empty());

    // Once closed, the table is free again.
    table.close("t");
    EXPECT_TRUE(otherProgram.open(path("t"), "t")) << otherProgram.lastErrorMessage();
}

TEST_F(RecordTableTest, ACommitBlockedByAReaderIsReportedAndUndone) {
    createAndOpen("t", {{"a", ColumnType::Text, 10}});
    addTexts({"before"});
    OutsideConnection reader(gbkToUtf8(path("t")));
    ASSERT_EQ(reader.exec("BEGIN; SELECT count(*) FROM records;"), SQLITE_OK);
    EXPECT_EQ(reader.count("SELECT count(*) FROM records"), 1);

    EXPECT_FALSE(table.write(1, std::string("after")));
    EXPECT_FALSE(table.lastErrorMessage().empty());
    EXPECT_EQ(readText(1), "before");
    {
        RecordBatch batch(table);
        ASSERT_TRUE(table.addBlankRecord());
        EXPECT_FALSE(batch.commit());
    }
    EXPECT_EQ(table.recordCount(), 1);

    reader.exec("COMMIT");
    EXPECT_TRUE(table.write(1, std::string("after")));
    EXPECT_EQ(reader.count("SELECT count(*) FROM records WHERE c1 = 'after'"), 1);
}

TEST_F(RecordTableTest, BatchesCommitTogetherOrNotAtAll) {
    createAndOpen("t", {{"a", ColumnType::Text, 10}, {"memo", ColumnType::LongText, 0}});
    addTexts({"kept"});
    int32_t keptMark = table.bookmark();
    {
        RecordBatch batch(table);
        addTexts({"lost1", "lost2"});
        ASSERT_TRUE(table.goToBookmark(keptMark));
        ASSERT_TRUE(table.write(1, std::string("changed")));
        ASSERT_TRUE(table.write(2, std::string("memo")));
    }  // not committed: rolled back
    EXPECT_EQ(allTexts(), std::vector<std::string>{"kept"});
    EXPECT_EQ(readText(2), "");

    {
        RecordBatch outer(table);
        addTexts({"outer"});
        {
            RecordBatch inner(table);
            addTexts({"inner"});
            inner.rollback();
        }
        EXPECT_FALSE(outer.commit());  // an inner batch gave up: nothing of the outer one stays
    }
    EXPECT_EQ(allTexts(), std::vector<std::string>{"kept"});

    {
        RecordBatch batch(table);
        addTexts({"new"});
        ASSERT_TRUE(table.write(2, std::string("memo of new")));
        ASSERT_TRUE(batch.commit());
    }
    OutsideConnection outside(gbkToUtf8(path("t")));
    EXPECT_EQ(outside.exec("ATTACH '" + gbkToUtf8(companion("t")) + "' AS edt"), SQLITE_OK);
    EXPECT_EQ(outside.count("SELECT count(*) FROM edt.longtext WHERE c2 = 'memo of new'"), 1);
    EXPECT_EQ(outside.count("SELECT count(*) FROM records"), 2);
}

TEST_F(RecordTableTest, ATableClosedInsideABatchMakesTheBatchFailInsteadOfLosingItsWrites) {
    createAndOpen("t", {{"a", ColumnType::Text, 10}});
    {
        RecordBatch batch(table);
        addTexts({"written"});
        table.close("t");  // as a rename or deletion of the list that runs during the batch
        EXPECT_FALSE(batch.commit());
        EXPECT_FALSE(table.lastErrorMessage().empty());
    }
    ASSERT_TRUE(table.open(path("t"), "t"));
    EXPECT_EQ(table.recordCount(), 0);
    // A table closed without writes of the batch leaves the batch whole.
    createAndOpen("u", {{"a", ColumnType::Text, 10}});
    {
        RecordBatch batch(table);
        table.close("t");
        addTexts({"kept"});
        EXPECT_TRUE(batch.commit());
    }
    EXPECT_EQ(allTexts(), std::vector<std::string>{"kept"});
}

TEST_F(RecordTableTest, ABatchKeepsOtherThreadsOut) {
    createAndOpen("t", {{"a", ColumnType::Text, 10}});
    addTexts({"one", "two"});
    std::atomic<bool> batchHeld{false}, otherDone{false};
    std::string readInBatch;
    std::thread worker;
    {
        RecordBatch batch(table);
        ASSERT_TRUE(table.goTo(1));
        worker = std::thread([&] {
            while (!batchHeld) std::this_thread::yield();
            table.goTo(2);
            otherDone = true;
        });
        batchHeld = true;
        std::this_thread::sleep_for(50ms);
        EXPECT_FALSE(otherDone);
        readInBatch = readText(1);
        ASSERT_TRUE(batch.commit());
    }
    worker.join();
    EXPECT_EQ(readInBatch, "one");
    EXPECT_EQ(table.recordNumber(), 2);
}

TEST_F(RecordTableTest, DamagedOrForeignFilesDoNotOpen) {
    auto makeTable = [&](const std::string& name) {
        ASSERT_TRUE(table.create(path(name), {{"a", ColumnType::Text, 10}}));
    };
    struct Case {
        const char* name;
        std::function<void()> damage;
    } cases[] = {
        {"random",
         [&] { std::ofstream(path("random")) << std::string(5000, '\x5A') << "\x01\xFE"; }},
        {"empty", [&] { std::ofstream(path("empty")); }},
        {"foreign",
         [&] {
             sqlite3* db = nullptr;
             sqlite3_open(gbkToUtf8(path("foreign")).c_str(), &db);
             sqlite3_exec(db, "CREATE TABLE x(y); INSERT INTO x VALUES(1);", nullptr, nullptr,
                          nullptr);
             sqlite3_close(db);
             std::ofstream(companion("foreign"));
         }},
        {"missing companion",
         [&] {
             makeTable("missing companion");
             fs::remove(companion("missing companion"));
         }},
        {"companion of another table",
         [&] {
             makeTable("companion of another table");
             makeTable("other");
             fs::copy_file(companion("other"), companion("companion of another table"),
                           fs::copy_options::overwrite_existing);
         }},
        {"cut in half",
         [&] {
             makeTable("cut in half");
             fs::resize_file(path("cut in half"), fs::file_size(path("cut in half")) / 2);
         }},
        {"missing", [] {}},
    };
    for (const auto& c : cases) {
        c.damage();
        if (!fs::exists(companion(c.name))) std::ofstream(companion(c.name)) << "";
        if (std::string(c.name) == "missing companion") fs::remove(companion(c.name));
        EXPECT_FALSE(table.open(path(c.name), c.name)) << c.name;
        EXPECT_FALSE(table.lastErrorMessage().empty()) << c.name;
        EXPECT_FALSE(table.isOpen(path(c.name))) << c.name;
    }
}

}  // namespace

#pragma once
// One open table. The connection keeps a write transaction (a RESERVED lock) open for as long as
// the table is open, so other processes may read the files but not write them; each commit starts
// the next transaction at once. The current record is read from a cursor that walks the records
// in file order, so that reading record after record costs one step each.
#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/RecordTable.h"
#include "platform/sqlite/SqliteStatement.h"

class SqliteTableFile {
  public:
    // diskPath is the UTF-8 path of the ".edb" file. Null with error set when it cannot be opened.
    static std::unique_ptr<SqliteTableFile> open(const std::string& diskPath, int busyTimeoutMs,
                                                 std::string& error);
    ~SqliteTableFile();
    SqliteTableFile(const SqliteTableFile&) = delete;
    SqliteTableFile& operator=(const SqliteTableFile&) = delete;

    const std::vector<ColumnDefinition>& columns() const { return columns_; }
    // Counting walks every record still unseen; going to the records one after another first
    // finds the end without it.
    int recordCount();
    bool goTo(int recordNumber);
    int32_t bookmark() const { return current_ < 0 ? 0 : bookmarks_[current_]; }
    bool goToBookmark(int32_t bookmark);
    int recordNumber() const { return current_ + 1; }

    bool addBlankRecord();
    bool read(int column, RecordValue& value);
    bool readText(int column, std::string& text);
    // Valid until the cursor moves.
    bool readTextView(int column, std::string_view& text);
    bool readTextViews(std::vector<std::string_view>& texts);
    bool write(int column, const RecordValue& value);
    bool deleteRecord();
    bool purgeDeleted();

    // Uncommitted writes exist.
    bool dirty() const { return dirty_; }
    bool commit();
    void rollback();

    // The text of the last failure.
    const std::string& error() const { return error_; }

  private:
    explicit SqliteTableFile(sqlite3* db) : db_(db) {}
    bool prepare();
    bool beginTransaction();
    bool loadBookmarks();
    bool loadAllBookmarks();
    bool startAtFirstRecord();
    bool stepToNextUnseen();
    bool seek(int32_t bookmark);
    bool ensureRow();
    // The current row's bytes in a result column of the cursor.
    std::string_view storedBytes(int resultColumn);
    bool hasCurrent();
    void forgetRow();
    bool fail();
    bool fail(std::string message);
    SqliteStatement& writeStatement(int column);
    bool written();

    sqlite3* db_;
    std::vector<ColumnDefinition> columns_;
    std::vector<int> resultColumn_;  // column of the cursor's result that holds each column
    std::vector<char> textColumn_;   // whether each column holds texts
    bool hasLongText_ = false;
    std::vector<int32_t> bookmarks_;  // in file order; those seen so far until allSeen_
    bool allSeen_ = false;
    int current_ = -1;       // index into bookmarks_, -1 for none
    bool rowValid_ = false;  // the cursor stands on the current record
    bool dirty_ = false;
    std::string error_;
    SqliteStatement cursor_, insertRecord_, insertLongText_, markDeleted_, purgeRecords_,
        purgeLongTexts_, listBookmarks_;
    std::vector<SqliteStatement> writes_;
};

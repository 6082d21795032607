#include "platform/sqlite/SqliteTableFile.h"

#include <algorithm>

#include "platform/TextCodec.h"
#include "platform/sqlite/ColumnValue.h"
#include "platform/sqlite/TableFiles.h"

namespace {

// Cursor result columns before the table's own columns: bookmark, deleted.
constexpr int kLeadingResultColumns = 2;

}  // namespace

std::unique_ptr<SqliteTableFile> SqliteTableFile::open(const std::string& diskPath,
                                                       int busyTimeoutMs, std::string& error) {
    std::vector<ColumnDefinition> columns;
    sqlite3* db = openTableFiles(diskPath, busyTimeoutMs, columns, error);
    if (!db) return nullptr;
    std::unique_ptr<SqliteTableFile> table(new SqliteTableFile(db));
    table->columns_ = std::move(columns);
    if (!table->prepare() || !table->beginTransaction() || !table->startAtFirstRecord()) {
        error = table->error_;
        return nullptr;
    }
    return table;
}

SqliteTableFile::~SqliteTableFile() {
    // Statements must be finalized before the connection closes.
    for (auto* s : {&cursor_, &insertRecord_, &insertLongText_, &markDeleted_, &purgeRecords_,
                    &purgeLongTexts_, &listBookmarks_})
        *s = SqliteStatement();
    writes_.clear();
    if (!sqlite3_get_autocommit(db_)) execSql(db_, "ROLLBACK");
    sqlite3_close_v2(db_);
}

bool SqliteTableFile::prepare() {
    std::string select = "SELECT r.bookmark, r.deleted";
    int next = kLeadingResultColumns;
    for (size_t i = 0; i < columns_.size(); ++i) {
        bool longText = isLongText(columns_[i].type);
        hasLongText_ = hasLongText_ || longText;
        select += std::string(longText ? ", e." : ", r.") + storedColumnName(int(i) + 1);
        resultColumn_.push_back(next++);
        textColumn_.push_back(storedKind(columns_[i].type) == StoredKind::Text);
    }
    select += " FROM main.records r";
    if (hasLongText_) select += " LEFT JOIN edt.longtext e ON e.bookmark = r.bookmark";
    select += " WHERE r.bookmark >= ?1 ORDER BY r.bookmark";
    cursor_ = SqliteStatement(db_, select);
    insertRecord_ = SqliteStatement(db_, "INSERT INTO main.records DEFAULT VALUES");
    insertLongText_ =
        SqliteStatement(db_, "INSERT OR IGNORE INTO edt.longtext(bookmark) VALUES(?1)");
    markDeleted_ = SqliteStatement(db_, "UPDATE main.records SET deleted = 1 WHERE bookmark = ?1");
    purgeLongTexts_ = SqliteStatement(db_,
                                      "DELETE FROM edt.longtext WHERE bookmark IN "
                                      "(SELECT bookmark FROM main.records WHERE deleted <> 0)");
    purgeRecords_ = SqliteStatement(db_, "DELETE FROM main.records WHERE deleted <> 0");
    listBookmarks_ = SqliteStatement(db_, "SELECT bookmark FROM main.records ORDER BY bookmark");
    writes_.resize(columns_.size());
    if (cursor_ && insertRecord_ && insertLongText_ && markDeleted_ && purgeLongTexts_ &&
        purgeRecords_ && listBookmarks_)
        return true;
    return fail();
}

bool SqliteTableFile::fail() {
    return fail(utf8ToGbk(sqlite3_errmsg(db_)));
}

bool SqliteTableFile::fail(std::string message) {
    error_ = std::move(message);
    return false;
}

bool SqliteTableFile::beginTransaction() {
    if (!sqlite3_get_autocommit(db_)) return true;
    if (execSql(db_, "BEGIN IMMEDIATE")) return true;
    int code = sqlite3_extended_errcode(db_);
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED) return fail(GBK("表文件正被其他程序写入"));
    return fail();
}

bool SqliteTableFile::loadBookmarks() {
    forgetRow();
    bookmarks_.clear();
    int rc;
    while ((rc = sqlite3_step(listBookmarks_.get())) == SQLITE_ROW)
        bookmarks_.push_back(static_cast<int32_t>(sqlite3_column_int64(listBookmarks_.get(), 0)));
    listBookmarks_.reset();
    if (rc != SQLITE_DONE) return fail();
    allSeen_ = true;
    return true;
}

bool SqliteTableFile::loadAllBookmarks() {
    return allSeen_ || loadBookmarks();
}

// Only the first record is looked at: the others are seen as the cursor reaches them, so that a
// walk through the whole table reads it once.
bool SqliteTableFile::startAtFirstRecord() {
    bookmarks_.clear();
    current_ = -1;
    allSeen_ = false;
    cursor_.reset();
    sqlite3_bind_int64(cursor_.get(), 1, INT64_MIN);
    int rc = sqlite3_step(cursor_.get());
    if (rc == SQLITE_ROW) {
        bookmarks_.push_back(static_cast<int32_t>(sqlite3_column_int64(cursor_.get(), 0)));
        current_ = 0;
        rowValid_ = true;
        return true;
    }
    forgetRow();
    if (rc != SQLITE_DONE) return fail();
    allSeen_ = true;
    return true;
}

// The cursor stands on the last record seen: its next row is the next record.
bool SqliteTableFile::stepToNextUnseen() {
    int rc = sqlite3_step(cursor_.get());
    if (rc == SQLITE_ROW) {
        bookmarks_.push_back(static_cast<int32_t>(sqlite3_column_int64(cursor_.get(), 0)));
        ++current_;
        return true;
    }
    forgetRow();
    if (rc != SQLITE_DONE) return fail();
    allSeen_ = true;
    return fail(GBK("记录号超出范围"));
}

int SqliteTableFile::recordCount() {
    loadAllBookmarks();
    return static_cast<int>(bookmarks_.size());
}

void SqliteTableFile::forgetRow() {
    cursor_.reset();
    rowValid_ = false;
}

bool SqliteTableFile::seek(int32_t bookmark) {
    cursor_.reset();
    sqlite3_bind_int64(cursor_.get(), 1, bookmark);
    rowValid_ = sqlite3_step(cursor_.get()) == SQLITE_ROW &&
                sqlite3_column_int64(cursor_.get(), 0) == bookmark;
    if (!rowValid_) {
        fail();
        cursor_.reset();
    }
    return rowValid_;
}

bool SqliteTableFile::hasCurrent() {
    if (current_ >= 0) return true;
    return fail(GBK("没有当前记录"));
}

bool SqliteTableFile::ensureRow() {
    if (!hasCurrent()) return false;
    return rowValid_ || seek(bookmarks_[current_]);
}

bool SqliteTableFile::goTo(int recordNumber) {
    int index = recordNumber - 1;
    int seen = static_cast<int>(bookmarks_.size());
    if (index >= 0 && index == current_) return true;
    if (!allSeen_ && index == seen && rowValid_ && current_ == seen - 1) return stepToNextUnseen();
    // Counting reads the whole table: only a record beyond those seen needs it.
    if (recordNumber < 1 || (index >= seen && recordNumber > recordCount()))
        return fail(GBK("记录号超出范围"));
    if (rowValid_ && index == current_ + 1) {
        // The next record in file order is the cursor's next row.
        current_ = index;
        rowValid_ = sqlite3_step(cursor_.get()) == SQLITE_ROW &&
                    sqlite3_column_int64(cursor_.get(), 0) == bookmarks_[index];
        return rowValid_ || seek(bookmarks_[index]);
    }
    current_ = index;
    rowValid_ = false;
    return true;
}

bool SqliteTableFile::goToBookmark(int32_t bookmark) {
    if (!allSeen_ && (bookmarks_.empty() || bookmark > bookmarks_.back()) && !loadAllBookmarks())
        return false;
    auto it = std::lower_bound(bookmarks_.begin(), bookmarks_.end(), bookmark);
    if (it == bookmarks_.end() || *it != bookmark) return fail(GBK("找不到该书签的记录"));
    int index = static_cast<int>(it - bookmarks_.begin());
    if (index != current_) {
        current_ = index;
        rowValid_ = false;
    }
    return true;
}

bool SqliteTableFile::written() {
    dirty_ = true;
    forgetRow();
    return true;
}

bool SqliteTableFile::addBlankRecord() {
    if (!beginTransaction() || !loadAllBookmarks()) return false;
    forgetRow();
    if (!insertRecord_.run()) return fail();
    int64_t bookmark = sqlite3_last_insert_rowid(db_);
    if (hasLongText_) {
        sqlite3_bind_int64(insertLongText_.get(), 1, bookmark);
        if (!insertLongText_.run()) return fail();
    }
    bookmarks_.push_back(static_cast<int32_t>(bookmark));
    current_ = recordCount() - 1;
    return written();
}

bool SqliteTableFile::read(int column, RecordValue& value) {
    if (column < 1 || column > static_cast<int>(columns_.size())) return fail(GBK("列号超出范围"));
    if (!ensureRow()) return false;
    sqlite3_stmt* s = cursor_.get();
    int c = resultColumn_[column - 1];
    switch (columns_[column - 1].type) {
        case ColumnType::Integer:
            value = static_cast<int32_t>(sqlite3_column_int64(s, c));
            return true;
        case ColumnType::Decimal:
            value = static_cast<float>(sqlite3_column_double(s, c));
            return true;
        case ColumnType::Boolean:
            value = sqlite3_column_int64(s, c) != 0;
            return true;
        case ColumnType::DateTime:
            value = unpackDateTime(sqlite3_column_int64(s, c));
            return true;
        default:
            if (!std::holds_alternative<std::string>(value)) value = std::string();
            return readText(column, std::get<std::string>(value));
    }
}

bool SqliteTableFile::readText(int column, std::string& text) {
    std::string_view view;
    if (!readTextView(column, view)) return false;
    text.assign(view);
    return true;
}

bool SqliteTableFile::readTextView(int column, std::string_view& text) {
    if (column < 1 || column > static_cast<int>(columns_.size())) return fail(GBK("列号超出范围"));
    // Not a failure: the caller reads the column's own type instead.
    if (storedKind(columns_[column - 1].type) != StoredKind::Text) return false;
    if (!ensureRow()) return false;
    text = storedBytes(resultColumn_[column - 1]);
    return true;
}

bool SqliteTableFile::readTextViews(std::vector<std::string_view>& texts) {
    texts.resize(columns_.size());
    if (!ensureRow()) return false;
    for (size_t i = 0; i < columns_.size(); ++i)
        texts[i] = textColumn_[i] ? storedBytes(resultColumn_[i]) : std::string_view();
    return true;
}

std::string_view SqliteTableFile::storedBytes(int resultColumn) {
    // The bytes as stored: asking for text would have SQLite copy each value to end it with a nul.
    // One look-up of the column serves both questions; the table's mutex makes that safe.
    sqlite3_value* value = sqlite3_column_value(cursor_.get(), resultColumn);
    auto* bytes = static_cast<const char*>(sqlite3_value_blob(value));
    // A text view always has data, so that it tells itself apart from the other columns.
    if (!bytes) return std::string_view("", 0);
    return std::string_view(bytes, static_cast<size_t>(sqlite3_value_bytes(value)));
}

SqliteStatement& SqliteTableFile::writeStatement(int column) {
    SqliteStatement& s = writes_[column - 1];
    if (s) return s;
    std::string name = storedColumnName(column);
    if (isLongText(columns_[column - 1].type))
        s = SqliteStatement(db_, "INSERT INTO edt.longtext(bookmark, " + name +
                                     ") VALUES(?2, ?1) ON CONFLICT(bookmark) DO UPDATE SET " +
                                     name + " = excluded." + name);
    else
        s = SqliteStatement(db_, "UPDATE main.records SET " + name + " = ?1 WHERE bookmark = ?2");
    return s;
}

bool SqliteTableFile::write(int column, const RecordValue& value) {
    if (column < 1 || column > static_cast<int>(columns_.size())) return fail(GBK("列号超出范围"));
    if (!hasCurrent()) return false;
    const ColumnDefinition& definition = columns_[column - 1];
    auto stored = acceptValue(definition, value);
    if (!stored) return fail(GBK("该列不接受这种类型的值：") + definition.name);
    if (!beginTransaction()) return false;
    forgetRow();
    SqliteStatement& s = writeStatement(column);
    if (!s) return fail();
    switch (storedKind(definition.type)) {
        case StoredKind::Integer:
            sqlite3_bind_int64(s.get(), 1, stored->integer);
            break;
        case StoredKind::Real:
            sqlite3_bind_double(s.get(), 1, stored->real);
            break;
        case StoredKind::Text:
            sqlite3_bind_text(s.get(), 1, stored->text.data(),
                              static_cast<int>(stored->text.size()), SQLITE_TRANSIENT);
            break;
    }
    sqlite3_bind_int64(s.get(), 2, bookmarks_[current_]);
    if (!s.run()) return fail();
    return written();
}

bool SqliteTableFile::deleteRecord() {
    if (!hasCurrent() || !beginTransaction()) return false;
    forgetRow();
    sqlite3_bind_int64(markDeleted_.get(), 1, bookmarks_[current_]);
    if (!markDeleted_.run()) return fail();
    return written();
}

bool SqliteTableFile::purgeDeleted() {
    if (!beginTransaction()) return false;
    int32_t kept = bookmark();
    forgetRow();
    if (!purgeLongTexts_.run() || !purgeRecords_.run()) return fail();
    written();
    if (!loadBookmarks()) return false;
    if (!goToBookmark(kept)) current_ = bookmarks_.empty() ? -1 : 0;
    return true;
}

bool SqliteTableFile::commit() {
    if (!dirty_) return true;
    forgetRow();
    dirty_ = false;
    if (!execSql(db_, "COMMIT")) {
        std::string message = utf8ToGbk(sqlite3_errmsg(db_));
        rollback();
        return fail(GBK("写入表文件失败：") + message);
    }
    beginTransaction();
    return true;
}

void SqliteTableFile::rollback() {
    int32_t kept = bookmark();
    forgetRow();
    dirty_ = false;
    if (!sqlite3_get_autocommit(db_)) execSql(db_, "ROLLBACK");
    beginTransaction();
    loadBookmarks();
    if (bookmarks_.empty())
        current_ = -1;
    else if (!goToBookmark(kept))
        current_ = 0;
}

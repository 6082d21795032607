#include "platform/sqlite/SqliteRecordTable.h"

#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "platform/sqlite/SqliteTableFile.h"
#include "platform/sqlite/TableFiles.h"

using Lock = std::lock_guard<std::recursive_mutex>;

SqliteRecordTable::SqliteRecordTable(std::chrono::milliseconds busyTimeout)
    : busyTimeoutMs_(static_cast<int>(busyTimeout.count())) {}

SqliteRecordTable::~SqliteRecordTable() {
    Lock lock(mutex_);
    if (batchDepth_ > 0) rollbackAll();
}

SqliteTableFile* SqliteRecordTable::current() {
    if (!current_) lastError_ = GBK("没有当前表");
    return current_;
}

bool SqliteRecordTable::result(SqliteTableFile* table, bool ok) {
    if (!ok) lastError_ = table->error();
    return ok;
}

// Outside a batch a write commits alone; a failed write inside a batch leaves the batch to decide.
bool SqliteRecordTable::finishWrite(SqliteTableFile* table, bool ok) {
    if (batchDepth_ > 0) return result(table, ok);
    if (!ok) {
        lastError_ = table->error();
        table->rollback();
        return false;
    }
    return result(table, table->commit());
}

bool SqliteRecordTable::create(const std::string& path,
                               const std::vector<ColumnDefinition>& columns) {
    Lock lock(mutex_);
    std::string error;
    if (createTableFiles(diskPath(path), columns, error)) return true;
    lastError_ = error;
    return false;
}

bool SqliteRecordTable::isOpen(const std::string& path) {
    Lock lock(mutex_);
    for (const auto& [alias, table] : tables_)
        if (table.path == path) return true;
    return false;
}

bool SqliteRecordTable::open(const std::string& path, const std::string& alias) {
    Lock lock(mutex_);
    if (tables_.count(alias)) {
        lastError_ = GBK("别名已被使用：") + alias;
        return false;
    }
    std::string error;
    auto file = SqliteTableFile::open(diskPath(path), busyTimeoutMs_, error);
    if (!file) {
        lastError_ = error;
        return false;
    }
    current_ = file.get();
    tables_[alias] = OpenTable{path, std::move(file)};
    return true;
}

bool SqliteRecordTable::setCurrent(const std::string& alias) {
    Lock lock(mutex_);
    auto it = tables_.find(alias);
    if (it == tables_.end()) {
        lastError_ = GBK("没有以此别名打开的表：") + alias;
        return false;
    }
    current_ = it->second.file.get();
    return true;
}

void SqliteRecordTable::close(const std::string& alias) {
    Lock lock(mutex_);
    auto it = tables_.find(alias);
    if (it == tables_.end()) return;
    if (batchDepth_ == 0)
        it->second.file->commit();
    else if (it->second.file->dirty())
        // Its writes go with the connection: the batch they belong to cannot report them kept.
        batchFailed_ = true;
    if (current_ == it->second.file.get()) current_ = nullptr;
    tables_.erase(it);
}

int SqliteRecordTable::fieldCount() {
    Lock lock(mutex_);
    auto* t = current();
    return t ? static_cast<int>(t->columns().size()) : 0;
}

std::string SqliteRecordTable::fieldName(int column) {
    Lock lock(mutex_);
    auto* t = current();
    if (!t || column < 1 || column > static_cast<int>(t->columns().size())) return {};
    return t->columns()[column - 1].name;
}

int32_t SqliteRecordTable::fieldType(int column) {
    Lock lock(mutex_);
    auto* t = current();
    if (!t || column < 1 || column > static_cast<int>(t->columns().size())) return 0;
    return t->columns()[column - 1].type;
}

int SqliteRecordTable::recordCount() {
    Lock lock(mutex_);
    auto* t = current();
    return t ? t->recordCount() : 0;
}

bool SqliteRecordTable::goTo(int recordNumber) {
    Lock lock(mutex_);
    auto* t = current();
    return t && result(t, t->goTo(recordNumber));
}

int32_t SqliteRecordTable::bookmark() {
    Lock lock(mutex_);
    auto* t = current();
    return t ? t->bookmark() : 0;
}

bool SqliteRecordTable::goToBookmark(int32_t bookmark) {
    Lock lock(mutex_);
    auto* t = current();
    return t && result(t, t->goToBookmark(bookmark));
}

int SqliteRecordTable::recordNumber() {
    Lock lock(mutex_);
    auto* t = current();
    return t ? t->recordNumber() : 0;
}

bool SqliteRecordTable::addBlankRecord() {
    Lock lock(mutex_);
    auto* t = current();
    return t && finishWrite(t, t->addBlankRecord());
}

bool SqliteRecordTable::read(int column, RecordValue& value) {
    Lock lock(mutex_);
    auto* t = current();
    return t && result(t, t->read(column, value));
}

bool SqliteRecordTable::readText(int column, std::string& text) {
    Lock lock(mutex_);
    auto* t = current();
    return t && t->readText(column, text);
}

bool SqliteRecordTable::readTextView(int column, std::string_view& text) {
    Lock lock(mutex_);
    auto* t = current();
    return t && t->readTextView(column, text);
}

bool SqliteRecordTable::readTextViews(std::vector<std::string_view>& texts) {
    Lock lock(mutex_);
    auto* t = current();
    return t && result(t, t->readTextViews(texts));
}

bool SqliteRecordTable::write(int column, const RecordValue& value) {
    Lock lock(mutex_);
    auto* t = current();
    return t && finishWrite(t, t->write(column, value));
}

bool SqliteRecordTable::deleteRecord() {
    Lock lock(mutex_);
    auto* t = current();
    return t && finishWrite(t, t->deleteRecord());
}

bool SqliteRecordTable::purgeDeleted() {
    Lock lock(mutex_);
    auto* t = current();
    return t && finishWrite(t, t->purgeDeleted());
}

std::string SqliteRecordTable::lastErrorMessage() {
    Lock lock(mutex_);
    return lastError_;
}

void SqliteRecordTable::beginBatch() {
    mutex_.lock();
    if (batchDepth_++ == 0) batchFailed_ = false;
}

bool SqliteRecordTable::commitBatch() {
    bool ok = true;
    if (--batchDepth_ == 0) {
        if (batchFailed_) {
            rollbackAll();
            lastError_ = GBK("操作已被撤销");
            ok = false;
        } else {
            ok = commitAll();
        }
    }
    mutex_.unlock();
    return ok;
}

void SqliteRecordTable::rollbackBatch() {
    if (--batchDepth_ == 0)
        rollbackAll();
    else
        batchFailed_ = true;
    mutex_.unlock();
}

bool SqliteRecordTable::commitAll() {
    bool ok = true;
    for (auto& [alias, table] : tables_)
        if (table.file->dirty() && !table.file->commit()) {
            lastError_ = table.file->error();
            ok = false;
        }
    return ok;
}

void SqliteRecordTable::rollbackAll() {
    for (auto& [alias, table] : tables_)
        if (table.file->dirty()) table.file->rollback();
}

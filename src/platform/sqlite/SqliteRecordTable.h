#pragma once
// The record-table component on SQLite. One recursive mutex guards every table and the current
// table and record; a batch holds it from begin to commit or rollback.
#include <chrono>
#include <map>
#include <memory>
#include <mutex>

#include "platform/RecordTable.h"

class SqliteTableFile;

class SqliteRecordTable : public RecordTable {
  public:
    // busyTimeout bounds each wait for another process that reads or writes a table's files.
    explicit SqliteRecordTable(std::chrono::milliseconds busyTimeout = std::chrono::seconds(5));
    ~SqliteRecordTable() override;

    bool create(const std::string& path, const std::vector<ColumnDefinition>& columns) override;
    bool isOpen(const std::string& path) override;
    bool open(const std::string& path, const std::string& alias) override;
    bool setCurrent(const std::string& alias) override;
    void close(const std::string& alias) override;
    int fieldCount() override;
    std::string fieldName(int column) override;
    int32_t fieldType(int column) override;
    int recordCount() override;
    bool goTo(int recordNumber) override;
    int32_t bookmark() override;
    bool goToBookmark(int32_t bookmark) override;
    int recordNumber() override;
    bool addBlankRecord() override;
    bool read(int column, RecordValue& value) override;
    bool readText(int column, std::string& text) override;
    bool readTextView(int column, std::string_view& text) override;
    bool readTextViews(std::vector<std::string_view>& texts) override;
    bool write(int column, const RecordValue& value) override;
    bool deleteRecord() override;
    bool purgeDeleted() override;
    std::string lastErrorMessage() override;
    void beginBatch() override;
    bool commitBatch() override;
    void rollbackBatch() override;

  private:
    struct OpenTable {
        std::string path;
        std::unique_ptr<SqliteTableFile> file;
    };
    SqliteTableFile* current();
    bool result(SqliteTableFile* table, bool ok);
    bool finishWrite(SqliteTableFile* table, bool ok);
    bool commitAll();
    void rollbackAll();

    int busyTimeoutMs_;
    std::recursive_mutex mutex_;
    std::map<std::string, OpenTable> tables_;  // by alias
    SqliteTableFile* current_ = nullptr;
    std::string lastError_;
    int batchDepth_ = 0;
    bool batchFailed_ = false;  // an inner batch rolled back: the outer one cannot commit
};

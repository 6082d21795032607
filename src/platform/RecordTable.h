#pragma once
// The record-table component: each list's records in a file with typed columns. Several tables
// may be open under aliases; one of them is current for the whole process, and so is its current
// record. Every operation but create and isOpen acts on the current table. Texts and paths are GBK.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "forms/FieldText.h"

// Column types share their numbers with the field types of a form.
namespace ColumnType {
enum : int32_t {
    Integer = 3,  // 32-bit signed
    Decimal = 5,  // single precision
    Boolean = 7,
    DateTime = 8,
    Text = 10,     // at most maxLength bytes
    LongText = 12  // unlimited, kept in the companion file
};
}  // namespace ColumnType

// A column of an unknown type behaves as a text column of its maximal length.
struct ColumnDefinition {
    std::string name;
    int32_t type = ColumnType::Text;
    int32_t maxLength = 0;
};

// A value in one of the column types: text (Text, LongText), int32_t (Integer), float (Decimal),
// bool (Boolean), DateTime (DateTime; all zero is the empty date).
using RecordValue = std::variant<std::string, int32_t, float, bool, DateTime>;

class RecordTable {
  public:
    virtual ~RecordTable() = default;

    // Creates an empty table at path and its companion file. Fails when there is no column, two
    // columns share a name, a name is refused (empty, control characters, "|"), or path is taken.
    virtual bool create(const std::string& path, const std::vector<ColumnDefinition>& columns) = 0;
    virtual bool isOpen(const std::string& path) = 0;
    // Opens for reading and writing while other processes may only read; becomes current.
    virtual bool open(const std::string& path, const std::string& alias) = 0;
    virtual bool setCurrent(const std::string& alias) = 0;
    // Closing an alias that is not open does nothing.
    virtual void close(const std::string& alias) = 0;

    virtual int fieldCount() = 0;
    // Columns count from 1; out of range gives the empty text and 0.
    virtual std::string fieldName(int column) = 0;
    virtual int32_t fieldType(int column) = 0;

    // Records count from 1 in file order; records marked deleted keep their numbers until purged.
    virtual int recordCount() = 0;
    // Fails past the last record: going to records 1, 2, 3... until it fails walks a table without
    // counting it first, which may cost a pass of its own.
    virtual bool goTo(int recordNumber) = 0;
    // 0 when there is no current record.
    virtual int32_t bookmark() = 0;
    virtual bool goToBookmark(int32_t bookmark) = 0;
    virtual int recordNumber() = 0;
    virtual bool addBlankRecord() = 0;

    // Reads into value, reusing its storage where it can.
    virtual bool read(int column, RecordValue& value) = 0;
    // The value of a text or long-text column straight into text; false for other columns and
    // when nothing can be read (read tells why).
    virtual bool readText(int column, std::string& text) = 0;
    // As readText without a copy: the bytes stay valid until the current record moves or a table
    // is written or closed. Hold a batch while using them, so that no other thread does so.
    virtual bool readTextView(int column, std::string_view& text) = 0;
    // The views of every column of the current record at once, one per column: what a load of
    // many records reads. Columns that are not text get a view without data (data() is null).
    virtual bool readTextViews(std::vector<std::string_view>& texts) = 0;
    // Refuses (false, the column keeps its value) a value of another type, except that the two
    // numeric types convert into each other and text and long text take each other's values.
    // A text longer than its column's maximal length is cut at a character boundary.
    virtual bool write(int column, const RecordValue& value) = 0;
    virtual bool deleteRecord() = 0;
    virtual bool purgeDeleted() = 0;

    virtual std::string lastErrorMessage() = 0;

    // Batches: the writes between begin and commit reach the file together or not at all, and no
    // other thread uses the component meanwhile. Writes outside a batch commit one by one.
    // Batches nest; only the outermost commits. A commit that fails rolls the batch back.
    virtual void beginBatch() = 0;
    virtual bool commitBatch() = 0;
    virtual void rollbackBatch() = 0;
};

// One user operation's writes: rolled back unless committed.
class RecordBatch {
  public:
    explicit RecordBatch(RecordTable& table) : table_(table) { table_.beginBatch(); }
    ~RecordBatch() {
        if (open_) table_.rollbackBatch();
    }
    RecordBatch(const RecordBatch&) = delete;
    RecordBatch& operator=(const RecordBatch&) = delete;

    // False when the writes could not be made durable; they are then undone.
    bool commit() {
        if (!open_) return false;
        open_ = false;
        return table_.commitBatch();
    }
    void rollback() {
        if (!open_) return;
        open_ = false;
        table_.rollbackBatch();
    }

  private:
    RecordTable& table_;
    bool open_ = true;
};

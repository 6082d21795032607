#include "platform/sqlite/TableFiles.h"

#include <cctype>
#include <filesystem>
#include <random>
#include <set>

#include "platform/GbkText.h"
#include "platform/TextCodec.h"
#include "platform/sqlite/ColumnValue.h"
#include "platform/sqlite/SqliteStatement.h"

namespace fs = std::filesystem;

namespace {

constexpr int kTableFileId = 0x4C535442;      // "LSTB"
constexpr int kCompanionFileId = 0x4C535454;  // "LSTT"
constexpr int kFormatVersion = 1;

std::string sqliteError(sqlite3* db) {
    return utf8ToGbk(db ? sqlite3_errmsg(db) : "out of memory");
}

// A file URI, so that the mode can be given and a missing file is not created.
std::string fileUri(const std::string& path, const char* mode) {
    static const char* kHex = "0123456789ABCDEF";
    std::string uri = "file:";
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '.' || c == '-' || c == '_' || c == '~') {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        }
    }
    return uri + "?mode=" + mode;
}

std::string randomPairId() {
    std::random_device device;
    std::string id;
    for (int i = 0; i < 4; ++i) {
        uint32_t word = device();
        for (int b = 0; b < 4; ++b) id += "0123456789abcdef"[(word >> (b * 4)) & 15];
    }
    return id;
}

sqlite3* openConnection(const std::string& tablePath, const char* mode, int busyTimeoutMs,
                        std::string& error) {
    sqlite3* db = nullptr;
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
    if (std::string(mode) == "rwc") flags |= SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(fileUri(tablePath, mode).c_str(), &db, flags, nullptr) != SQLITE_OK) {
        error = sqliteError(db);
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, busyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    SqliteStatement attach(db, "ATTACH DATABASE ?1 AS edt");
    std::string companion = fileUri(companionPath(tablePath), mode);
    if (attach) sqlite3_bind_text(attach.get(), 1, companion.c_str(), -1, SQLITE_TRANSIENT);
    if (!attach.run()) {
        error = sqliteError(db);
        attach = SqliteStatement();
        sqlite3_close_v2(db);
        return nullptr;
    }
    return db;
}

bool readInteger(sqlite3* db, const std::string& sql, int64_t& value) {
    SqliteStatement s(db, sql);
    if (!s || sqlite3_step(s.get()) != SQLITE_ROW) return false;
    value = sqlite3_column_int64(s.get(), 0);
    return true;
}

bool readText(sqlite3* db, const std::string& sql, std::string& value) {
    SqliteStatement s(db, sql);
    if (!s || sqlite3_step(s.get()) != SQLITE_ROW) return false;
    auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0));
    value.assign(text ? text : "", sqlite3_column_bytes(s.get(), 0));
    return true;
}

std::string schemaSql(const std::vector<ColumnDefinition>& columns, const std::string& pairId) {
    std::string records =
        "CREATE TABLE main.records(bookmark INTEGER PRIMARY KEY AUTOINCREMENT, "
        "deleted INTEGER NOT NULL DEFAULT 0";
    std::string longTexts = "CREATE TABLE edt.longtext(bookmark INTEGER PRIMARY KEY";
    for (size_t i = 0; i < columns.size(); ++i) {
        std::string name = storedColumnName(static_cast<int>(i + 1));
        if (isLongText(columns[i].type)) {
            longTexts += ", " + name + " TEXT NOT NULL DEFAULT ''";
            continue;
        }
        switch (storedKind(columns[i].type)) {
            case StoredKind::Integer:
                records += ", " + name + " INTEGER NOT NULL DEFAULT 0";
                break;
            case StoredKind::Real:
                records += ", " + name + " REAL NOT NULL DEFAULT 0.0";
                break;
            case StoredKind::Text:
                records += ", " + name + " TEXT NOT NULL DEFAULT ''";
                break;
        }
    }
    return "PRAGMA main.application_id=" + std::to_string(kTableFileId) +
           "; PRAGMA main.user_version=" + std::to_string(kFormatVersion) +
           "; PRAGMA edt.application_id=" + std::to_string(kCompanionFileId) +
           "; PRAGMA edt.user_version=" + std::to_string(kFormatVersion) +
           "; CREATE TABLE main.columns(position INTEGER PRIMARY KEY, name TEXT NOT NULL, "
           "type INTEGER NOT NULL, maxLength INTEGER NOT NULL); " +
           "CREATE TABLE main.pair(id TEXT NOT NULL); CREATE TABLE edt.pair(id TEXT NOT NULL); " +
           "INSERT INTO main.pair VALUES('" + pairId + "'); INSERT INTO edt.pair VALUES('" +
           pairId + "'); " + records + "); " + longTexts + ");";
}

bool writeSchema(sqlite3* db, const std::vector<ColumnDefinition>& columns) {
    if (!execSql(db, "BEGIN IMMEDIATE; " + schemaSql(columns, randomPairId()))) return false;
    SqliteStatement insert(db, "INSERT INTO main.columns VALUES(?1, ?2, ?3, ?4)");
    if (!insert) return false;
    for (size_t i = 0; i < columns.size(); ++i) {
        sqlite3_bind_int(insert.get(), 1, static_cast<int>(i + 1));
        sqlite3_bind_text(insert.get(), 2, columns[i].name.data(),
                          static_cast<int>(columns[i].name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(insert.get(), 3, columns[i].type);
        sqlite3_bind_int(insert.get(), 4, columns[i].maxLength);
        if (!insert.run()) return false;
    }
    return execSql(db, "COMMIT");
}

bool readColumns(sqlite3* db, std::vector<ColumnDefinition>& columns) {
    SqliteStatement s(db, "SELECT position, name, type, maxLength FROM main.columns ORDER BY 1");
    if (!s) return false;
    columns.clear();
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
        if (sqlite3_column_int(s.get(), 0) != static_cast<int>(columns.size()) + 1) return false;
        ColumnDefinition c;
        auto* name = reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 1));
        c.name.assign(name ? name : "", sqlite3_column_bytes(s.get(), 1));
        c.type = sqlite3_column_int(s.get(), 2);
        c.maxLength = sqlite3_column_int(s.get(), 3);
        columns.push_back(std::move(c));
    }
    return rc == SQLITE_DONE && !columns.empty();
}

// Every stored column must exist where the columns say.
bool storedColumnsExist(sqlite3* db, const std::vector<ColumnDefinition>& columns) {
    std::string records = "SELECT bookmark, deleted", longTexts = "SELECT bookmark";
    for (size_t i = 0; i < columns.size(); ++i) {
        (isLongText(columns[i].type) ? longTexts : records) +=
            ", " + storedColumnName(static_cast<int>(i + 1));
    }
    return SqliteStatement(db, records + " FROM main.records LIMIT 0") &&
           SqliteStatement(db, longTexts + " FROM edt.longtext LIMIT 0");
}

std::string checkTableFiles(sqlite3* db, std::vector<ColumnDefinition>& columns) {
    int64_t tableId = 0, companionId = 0, tableVersion = 0;
    if (!readInteger(db, "PRAGMA main.application_id", tableId)) return sqliteError(db);
    if (tableId != kTableFileId) return GBK("不是本程序的表文件");
    if (!readInteger(db, "PRAGMA main.user_version", tableVersion) ||
        tableVersion != kFormatVersion)
        return GBK("表文件的版本无法识别");
    if (!readInteger(db, "PRAGMA edt.application_id", companionId)) return sqliteError(db);
    if (companionId != kCompanionFileId) return GBK("附属文件（.edt）不是本程序的文件");
    std::string tablePair, companionPair;
    if (!readText(db, "SELECT id FROM main.pair", tablePair) ||
        !readText(db, "SELECT id FROM edt.pair", companionPair) || tablePair != companionPair)
        return GBK("附属文件（.edt）不属于这个表文件");
    if (!readColumns(db, columns) || !storedColumnsExist(db, columns)) return GBK("表文件已损坏");
    // Pages are read, not memory-mapped: a mapped page costs a fault on first touch, which is
    // dearer than the copy a read makes, and a file cut short by another program would kill the
    // process with a bus error instead of failing a read.
    if (!execSql(db, "PRAGMA main.journal_mode=DELETE; PRAGMA edt.journal_mode=DELETE"))
        return sqliteError(db);
    return {};
}

void removeFiles(const std::string& tablePath) {
    std::error_code ignored;
    fs::remove(tablePath, ignored);
    fs::remove(companionPath(tablePath), ignored);
    fs::remove(tablePath + "-journal", ignored);
    fs::remove(companionPath(tablePath) + "-journal", ignored);
}

}  // namespace

std::string storedColumnName(int position) {
    return "c" + std::to_string(position);
}

std::string companionPath(const std::string& tablePath) {
    size_t slash = tablePath.rfind('/');
    size_t dot = tablePath.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return tablePath + ".edt";
    return tablePath.substr(0, dot) + ".edt";
}

std::string columnsProblem(const std::vector<ColumnDefinition>& columns) {
    if (columns.empty()) return GBK("没有字段");
    std::set<std::string> names;
    for (const auto& c : columns) {
        bool refused = c.name.empty() || findText(c.name, "|") != std::string::npos;
        for (unsigned char b : c.name) refused = refused || b < 0x20 || b == 0x7F;
        if (refused) return GBK("字段名含有不允许的字符：") + c.name;
        if (!names.insert(c.name).second) return GBK("字段名重复：") + c.name;
    }
    return {};
}

bool createTableFiles(const std::string& tablePath, const std::vector<ColumnDefinition>& columns,
                      std::string& error) {
    error = columnsProblem(columns);
    if (!error.empty()) return false;
    std::error_code ec;
    if (fs::exists(tablePath, ec) || ec) {
        error = GBK("表文件已存在");
        return false;
    }
    fs::remove(companionPath(tablePath), ec);
    sqlite3* db = openConnection(tablePath, "rwc", 0, error);
    if (!db) {
        removeFiles(tablePath);
        return false;
    }
    bool ok = writeSchema(db, columns);
    if (!ok) error = sqliteError(db);
    sqlite3_close_v2(db);
    if (!ok) removeFiles(tablePath);
    return ok;
}

sqlite3* openTableFiles(const std::string& tablePath, int busyTimeoutMs,
                        std::vector<ColumnDefinition>& columns, std::string& error) {
    std::error_code ec;
    if (!fs::is_regular_file(tablePath, ec)) {
        error = GBK("找不到表文件");
        return nullptr;
    }
    if (!fs::is_regular_file(companionPath(tablePath), ec)) {
        error = GBK("找不到附属文件（.edt）");
        return nullptr;
    }
    sqlite3* db = openConnection(tablePath, "rw", busyTimeoutMs, error);
    if (!db) return nullptr;
    error = checkTableFiles(db, columns);
    if (error.empty()) return db;
    sqlite3_close_v2(db);
    return nullptr;
}

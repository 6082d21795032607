#pragma once
// Owns one prepared statement of a connection.
#include <sqlite3.h>

#include <string>
#include <utility>

class SqliteStatement {
  public:
    SqliteStatement() = default;
    SqliteStatement(sqlite3* db, const std::string& sql) {
        if (sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size()),
                               SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) != SQLITE_OK) {
            sqlite3_finalize(stmt_);
            stmt_ = nullptr;
        }
    }
    ~SqliteStatement() { sqlite3_finalize(stmt_); }
    SqliteStatement(SqliteStatement&& other) noexcept
        : stmt_(std::exchange(other.stmt_, nullptr)) {}
    SqliteStatement& operator=(SqliteStatement&& other) noexcept {
        std::swap(stmt_, other.stmt_);
        return *this;
    }
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    explicit operator bool() const { return stmt_ != nullptr; }
    sqlite3_stmt* get() const { return stmt_; }

    // Runs a statement that returns no rows (or ignores them); true on success.
    bool run() {
        if (!stmt_) return false;
        int rc = sqlite3_step(stmt_);
        sqlite3_reset(stmt_);
        return rc == SQLITE_DONE || rc == SQLITE_ROW;
    }
    void reset() {
        if (stmt_) sqlite3_reset(stmt_);
    }

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

// Runs one or more statements without results; true on success.
inline bool execSql(sqlite3* db, const std::string& sql) {
    return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

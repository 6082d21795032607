#pragma once
// The files of one table: "<name>.edb", an SQLite database holding the columns and records, and
// its companion "<name>.edt", an SQLite database attached as "edt" holding the long texts. Both
// carry the same random pair id, so that a companion of another table is not taken for this one.
// Paths here are disk paths (UTF-8); error texts are GBK.
#include <sqlite3.h>

#include <string>
#include <vector>

#include "platform/RecordTable.h"

// The companion path: the table path with its extension replaced by ".edt".
std::string companionPath(const std::string& tablePath);

// Empty when the columns can make a table, otherwise why not.
std::string columnsProblem(const std::vector<ColumnDefinition>& columns);

// Creates both files, or leaves neither. A stray companion file without its table is replaced.
bool createTableFiles(const std::string& tablePath, const std::vector<ColumnDefinition>& columns,
                      std::string& error);

// Opens both files and checks that they are a table of this program and belong together.
// Returns the connection (the caller closes it) or null with error set.
// busyTimeoutMs bounds each wait for another process's lock.
sqlite3* openTableFiles(const std::string& tablePath, int busyTimeoutMs,
                        std::vector<ColumnDefinition>& columns, std::string& error);

// The record-table column holding column position (from 1) of the columns.
std::string storedColumnName(int position);

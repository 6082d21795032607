#pragma once
// What a column of each type accepts, and the form in which it is stored.
#include <optional>

#include "platform/RecordTable.h"

// The storage class a column's values take in the table file.
enum class StoredKind { Integer, Real, Text };

StoredKind storedKind(int32_t columnType);

// Whether the type keeps its values in the companion file.
inline bool isLongText(int32_t columnType) {
    return columnType == ColumnType::LongText;
}

// A value ready to be stored: an integer, a real or a text, as storedKind says.
struct StoredValue {
    int64_t integer = 0;
    double real = 0;
    std::string text;
};

// The value to store for a write, or nothing when the column refuses it. Texts are cut to the
// column's maximal length without splitting a character.
std::optional<StoredValue> acceptValue(const ColumnDefinition& column, const RecordValue& value);

// Date-times are stored as the number yyyymmddhhmmss; 0 is the empty date.
int64_t packDateTime(const DateTime& value);
DateTime unpackDateTime(int64_t packed);

// A text column's maximal length in bytes; a length out of range means the largest.
int32_t textLimit(const ColumnDefinition& column);

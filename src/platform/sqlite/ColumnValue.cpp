#include "platform/sqlite/ColumnValue.h"

#include <cmath>
#include <limits>

#include "platform/GbkText.h"

namespace {

constexpr int32_t kLargestTextLimit = 512;

bool isLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

bool isValidDateTime(const DateTime& v) {
    if (v == DateTime{}) return true;
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (v.year < 1 || v.year > 9999 || v.month < 1 || v.month > 12) return false;
    int days = kDays[v.month - 1] + (v.month == 2 && isLeapYear(v.year) ? 1 : 0);
    return v.day >= 1 && v.day <= days && v.hour >= 0 && v.hour <= 23 && v.minute >= 0 &&
           v.minute <= 59 && v.second >= 0 && v.second <= 59;
}

std::string cutToBytes(const std::string& text, size_t limit) {
    if (text.size() <= limit) return text;
    size_t end = 0;
    while (end < text.size()) {
        size_t next = end + charLengthAt(text, end);
        if (next > limit) break;
        end = next;
    }
    return text.substr(0, end);
}

std::optional<StoredValue> integerValue(int64_t v) {
    StoredValue s;
    s.integer = v;
    return s;
}

std::optional<StoredValue> realValue(double v) {
    StoredValue s;
    s.real = v;
    return s;
}

}  // namespace

StoredKind storedKind(int32_t columnType) {
    switch (columnType) {
        case ColumnType::Integer:
        case ColumnType::Boolean:
        case ColumnType::DateTime:
            return StoredKind::Integer;
        case ColumnType::Decimal:
            return StoredKind::Real;
        default:
            return StoredKind::Text;
    }
}

int32_t textLimit(const ColumnDefinition& column) {
    if (column.maxLength < 1 || column.maxLength > kLargestTextLimit) return kLargestTextLimit;
    return column.maxLength;
}

int64_t packDateTime(const DateTime& v) {
    return ((((int64_t{v.year} * 100 + v.month) * 100 + v.day) * 100 + v.hour) * 100 + v.minute) *
               100 +
           v.second;
}

DateTime unpackDateTime(int64_t packed) {
    DateTime v;
    v.second = static_cast<int>(packed % 100);
    packed /= 100;
    v.minute = static_cast<int>(packed % 100);
    packed /= 100;
    v.hour = static_cast<int>(packed % 100);
    packed /= 100;
    v.day = static_cast<int>(packed % 100);
    packed /= 100;
    v.month = static_cast<int>(packed % 100);
    v.year = static_cast<int>(packed / 100);
    return v;
}

std::optional<StoredValue> acceptValue(const ColumnDefinition& column, const RecordValue& value) {
    switch (column.type) {
        case ColumnType::Integer:
            if (auto* i = std::get_if<int32_t>(&value)) return integerValue(*i);
            if (auto* f = std::get_if<float>(&value)) {
                double rounded = std::nearbyint(*f);
                if (!(rounded >= std::numeric_limits<int32_t>::min() &&
                      rounded <= std::numeric_limits<int32_t>::max()))
                    return std::nullopt;
                return integerValue(static_cast<int64_t>(rounded));
            }
            return std::nullopt;
        case ColumnType::Decimal:
            if (auto* f = std::get_if<float>(&value)) return realValue(*f);
            if (auto* i = std::get_if<int32_t>(&value)) return realValue(static_cast<float>(*i));
            return std::nullopt;
        case ColumnType::Boolean:
            if (auto* b = std::get_if<bool>(&value)) return integerValue(*b ? 1 : 0);
            return std::nullopt;
        case ColumnType::DateTime:
            if (auto* d = std::get_if<DateTime>(&value); d && isValidDateTime(*d))
                return integerValue(packDateTime(*d));
            return std::nullopt;
        case ColumnType::LongText:
            if (auto* t = std::get_if<std::string>(&value)) {
                StoredValue s;
                s.text = *t;
                return s;
            }
            return std::nullopt;
        default:
            if (auto* t = std::get_if<std::string>(&value)) {
                StoredValue s;
                s.text = cutToBytes(*t, static_cast<size_t>(textLimit(column)));
                return s;
            }
            return std::nullopt;
    }
}

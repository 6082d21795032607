// Integer keys of the sort, read from cell texts.
#include <cstdint>
#include <string>
#include <string_view>

#include "forms/FieldText.h"
#include "grid/GridSort.h"
#include "platform/GbkText.h"

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Unsigned arithmetic wraps, which keeps exactly the low 32 bits of a number of any length.
int32_t leadingInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint32_t value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) value = value * 10u + uint32_t(text[i] - '0');
    return int32_t(negative ? 0u - value : value);
}

// Walks whole characters, so that the digit bytes inside a four-byte GB18030 sequence are skipped.
int32_t digitsInteger(std::string_view text) {
    uint32_t value = 0;
    for (size_t i = 0; i < text.size(); i += charLengthAt(text, i))
        if (isDigit(text[i])) value = value * 10u + uint32_t(text[i] - '0');
    return int32_t(value);
}

// Days from 1970-01-01 in the proleptic Gregorian calendar.
int64_t daysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

int64_t dateTimeSortKey(std::string_view text) {
    DateTime t{100, 1, 1, 0, 0, 0};
    if (!parseDateTime(text, t)) parseDateTime(std::string("1991-01-21 ").append(text), t);
    const int64_t hoursFromEpoch = daysFromCivil(t.year, t.month, t.day) * 24 + t.hour - 8;
    return (hoursFromEpoch * 60 + t.minute) * 60 + t.second;
}

bool isSequenceSortKind(int32_t keyKind) {
    return keyKind == SortKeyKind::Bytes || keyKind == SortKeyKind::Phonetic;
}

int64_t integerSortKey(int32_t keyKind, std::string_view text) {
    switch (keyKind) {
        case SortKeyKind::ByteLength:
            return int32_t(uint32_t(text.size()));
        case SortKeyKind::CharacterCount:
            return characterCount(text);
        case SortKeyKind::LeadingInteger:
            return leadingInteger(text);
        case SortKeyKind::DigitsInteger:
            return digitsInteger(text);
        case SortKeyKind::DateTime:
            return dateTimeSortKey(text);
        default:
            return 0;
    }
}

#pragma once
// The text forms of fields and values. A form's fields are stored as one text: fields joined by
// "||", the parts of a field (name|type|length|link|key, and |width in a list's copy) by "|".
// Splitting steps over whole GBK characters, so a name such as 廣東 (second byte "|") reads back.
#include <string>
#include <string_view>
#include <vector>

#include "forms/FieldModel.h"
#include "platform/LogicalText.h"
#include "platform/NumberText.h"

// partCount 5: a form's fields (width stays 100); 6: a list's copy, whose sixth part is the
// column width (a width that is not above 0 gives 100).
std::vector<ListField> parseFieldText(std::string_view text, int partCount);
// A form's fields: parseFieldText(text, 5) without the widths.
std::vector<FieldSpec> parseFormFieldText(std::string_view text);

std::string formatFieldText(const std::vector<FieldSpec>& fields);
std::string formatFieldText(const std::vector<ListField>& fields, bool withWidth);

// The fields of the sample form that start-up seeds into an empty library.
const std::string& sampleFieldText();

// Splits at every "||" into exactly n parts: missing parts are empty, extra parts are dropped.
std::vector<std::string> splitValue(std::string_view value, int n);

// What a value shows as in a grid cell, a tree value node and the search: the title of a Link or
// QqLink, "server(user)" of an FtpLink, the text itself for every other type.
std::string displayText(int32_t type, std::string_view value);
// The same into out, reusing its storage (for loops over many values); value must not view out.
void displayText(int32_t type, std::string_view value, std::string& out);
// The same as a view: of value itself where the text shown is a part of it, else of scratch, which
// value must not view.
std::string_view displayView(int32_t type, std::string_view value, std::string& scratch);

// Integer values as decimal text; Decimal values as "%.6g" writes the single-precision value.
std::string integerText(int64_t value);
std::string decimalText(float value);

struct DateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const DateTime&) const = default;
};

// "2018年3月13日", then "10时", "10时5分" or "10时5分7秒" as far as the time is not zero.
std::string dateTimeText(const DateTime& value);

// Reads the form dateTimeText writes, and "2018-3-13", "2018-03-13" or "2018/3/13", each
// optionally followed by " 10:05" or " 10:05:00". False for any other text or an impossible date
// or time; value is then unchanged.
bool parseDateTime(std::string_view text, DateTime& value);

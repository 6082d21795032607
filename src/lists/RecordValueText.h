#pragma once
// The text form of a stored value: a text unchanged, an integer in decimal, a single-precision
// number as "%.6g", a logical value as "真" or "假", a date-time as "2018年3月13日10时5分" (the
// empty date as the empty text).
#include <string>

#include "platform/RecordTable.h"

// Replaces out's content, reusing its storage.
void recordValueText(const RecordValue& value, std::string& out);
std::string recordValueText(const RecordValue& value);

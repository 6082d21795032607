#pragma once
// Reading texts as numbers the way stored settings and field values need it: the leading number
// counts, whatever follows it; a text that does not start with one reads as 0.
#include <cstdint>
#include <string>
#include <string_view>

// Leading white space, an optional sign, then decimal digits; saturates at the int32 limits.
int32_t integerValue(std::string_view text);

// Leading white space, an optional sign, digits with an optional decimal point and exponent.
// "inf" and "nan" are not numbers here.
double numberValue(std::string_view text);

// A double as the C format "%.13g" writes it (304, -1, 0.5).
std::string numberText(double value);

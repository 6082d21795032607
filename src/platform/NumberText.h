#pragma once
// Reading texts as numbers the way stored settings and field values need it: the leading number
// counts, whatever follows it; a text that does not start with one reads as 0.
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// Leading white space, an optional sign, then decimal digits; saturates at the int32 limits.
int32_t integerValue(std::string_view text);

// Leading white space, an optional sign, digits with an optional decimal point and exponent.
// "inf" and "nan" are not numbers here.
double numberValue(std::string_view text);

// A number as an integer of type Int, the fraction dropped: a number beyond Int's range gives its
// nearest limit and NaN gives 0, where a plain conversion would be undefined.
template <typename Int>
Int saturatedInteger(double value) {
    constexpr Int lowest = std::numeric_limits<Int>::min();
    constexpr Int highest = std::numeric_limits<Int>::max();
    if (value != value) return 0;
    if (value <= static_cast<double>(lowest)) return lowest;
    if (value >= static_cast<double>(highest)) return highest;
    return static_cast<Int>(value);
}

// A double as the C format "%.13g" writes it (304, -1, 0.5).
std::string numberText(double value);

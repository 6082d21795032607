#include "platform/NumberText.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <limits>

namespace {

// Skips leading white space and a "+" sign (std::from_chars takes only "-").
std::string_view numberStart(std::string_view text, bool& negative) {
    size_t p = 0;
    while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p]))) ++p;
    negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
        negative = text[p] == '-';
        ++p;
    }
    return text.substr(p);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

int32_t integerValue(std::string_view text) {
    bool negative = false;
    std::string_view digits = numberStart(text, negative);
    int64_t value = 0;
    const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (char c : digits) {
        if (!isDigit(c)) break;
        value = value * 10 + (c - '0');
        if (value > limit) value = limit;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

double numberValue(std::string_view text) {
    bool negative = false;
    std::string_view rest = numberStart(text, negative);
    bool startsNumber = !rest.empty() && (isDigit(rest[0]) ||
                                          (rest[0] == '.' && rest.size() > 1 && isDigit(rest[1])));
    if (!startsNumber) return 0;
    double value = 0;
    auto result = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // The sign is already taken off, so a "-" in the match belongs to the exponent: 1e-999.
        std::string_view matched = rest.substr(0, result.ptr - rest.data());
        value =
            matched.find('-') != std::string_view::npos ? 0 : std::numeric_limits<double>::max();
    } else if (result.ec != std::errc()) {
        return 0;
    }
    return negative ? -value : value;
}

std::string numberText(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.13g", value);
    return buffer;
}

#pragma once
// The grid's colours.
#include <string_view>

#include "platform/Canvas.h"

// Reads "#RRGGBB" (hexadecimal digits in either case); black for anything else.
constexpr Rgb colourFromHex(std::string_view text) {
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    if (text.size() != 7 || text[0] != '#') return {};
    int values[3] = {};
    for (int i = 0; i < 3; ++i) {
        const int high = digit(text[1 + 2 * i]);
        const int low = digit(text[2 + 2 * i]);
        if (high < 0 || low < 0) return {};
        values[i] = high * 16 + low;
    }
    return {values[0], values[1], values[2]};
}

namespace GridColours {
inline constexpr Rgb kHeader{235, 234, 219};
// Header cell under the pointer; scroll bar buttons and thumbs.
inline constexpr Rgb kHover{255, 245, 238};
// Pressed header cell, button or thumb.
inline constexpr Rgb kPressed{255, 231, 186};
// Header cells, the data frame, bar buttons, thumbs and grip lines.
inline constexpr Rgb kOutline{127, 157, 185};
inline constexpr Rgb kGridLine{199, 199, 199};
inline constexpr Rgb kBarBackground{236, 236, 236};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kSelection = colourFromHex("#4682B4");
inline constexpr Rgb kSelectedText{255, 255, 255};
inline constexpr Rgb kText{0, 0, 0};
inline constexpr Rgb kLinkText{0, 0, 255};
inline constexpr Rgb kKeyText{255, 0, 0};
}  // namespace GridColours

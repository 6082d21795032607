#pragma once
// The program holds its texts as GBK byte strings; these convert at the boundary (widgets, file
// names, clipboard). GB18030 is used both ways so that characters outside GBK survive as their
// four-byte sequences instead of being lost.
#include <string>
#include <string_view>

std::string utf8ToGbk(std::string_view utf8);
std::string gbkToUtf8(std::string_view gbk);

// A fixed text of the program, written in the source as a UTF-8 literal and converted once.
#define GBK(utf8Literal)                                               \
    ([]() -> const std::string& {                                      \
        static const std::string converted = ::utf8ToGbk(utf8Literal); \
        return converted;                                              \
    }())

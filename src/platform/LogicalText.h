#pragma once
// Logical values as text, in settings and in field values alike: "真" and "假"; only exactly "真"
// reads as true.
#include <string>
#include <string_view>

const std::string& logicalText(bool value);
bool isTrueText(std::string_view text);

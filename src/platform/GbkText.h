#pragma once
// Character rules for GBK byte strings. A GBK character's second byte may be "|", "\" or a Latin
// letter, so splitting and searching must step over whole characters, never match inside one.
#include <string>
#include <string_view>
#include <vector>

// Bytes of the character starting at pos: 1 for a byte below 0x80 (CR and LF each count alone),
// 4 for a GB18030 four-byte sequence, otherwise 2; a lead byte at the very end, or followed by a
// byte below 0x30 (a control byte such as CR or LF, which no GBK character holds), gives 1.
size_t charLengthAt(std::string_view text, size_t pos);

// Characters in text: a CR LF pair is one, a lead byte at the very end is not counted.
int characterCount(std::string_view text);

// The first n characters (n < 0 means characterCount + n).
std::string leftCharacters(std::string_view text, int n);

// Position of the first occurrence of needle at or after from that starts on a character
// boundary, or npos. from must itself be a character boundary.
size_t findText(std::string_view text, std::string_view needle, size_t from = 0);

// Splits at every occurrence of separator found by findText; an empty text gives one empty part.
std::vector<std::string> splitText(std::string_view text, std::string_view separator);

// Replaces every occurrence found by findText.
std::string replaceText(std::string_view text, std::string_view from, std::string_view to);

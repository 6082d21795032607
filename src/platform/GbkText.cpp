#include "platform/GbkText.h"

namespace {

bool isFourByteSequence(std::string_view t, size_t p) {
    if (p + 3 >= t.size()) return false;
    auto b = [&](size_t i) { return static_cast<unsigned char>(t[p + i]); };
    // The second byte first: it rules out the common two-byte characters at once.
    return b(1) >= 0x30 && b(1) <= 0x39 && b(0) >= 0x81 && b(0) <= 0xFE && b(2) >= 0x81 &&
           b(2) <= 0xFE && b(3) >= 0x30 && b(3) <= 0x39;
}

// No GBK or GB18030 character has a second byte below 0x30 (CR, LF, space): a lead byte before
// one stands alone, so line ends stay findable in damaged text.
bool pairsWithNext(std::string_view t, size_t p) {
    return p + 1 < t.size() && static_cast<unsigned char>(t[p + 1]) >= 0x30;
}

// Like charLengthAt, but a CR LF pair is one character and a trailing lead byte has length 0
// (it is not a character).
size_t countedCharLength(std::string_view t, size_t p) {
    unsigned char c = static_cast<unsigned char>(t[p]);
    if (c == '\r' && p + 1 < t.size() && t[p + 1] == '\n') return 2;
    if (c < 0x80) return 1;
    if (p + 1 >= t.size()) return 0;
    if (!pairsWithNext(t, p)) return 1;
    return isFourByteSequence(t, p) ? 4 : 2;
}

}  // namespace

size_t charLengthAt(std::string_view text, size_t pos) {
    unsigned char c = static_cast<unsigned char>(text[pos]);
    if (c < 0x80 || !pairsWithNext(text, pos)) return 1;
    return isFourByteSequence(text, pos) ? 4 : 2;
}

int characterCount(std::string_view text) {
    int count = 0;
    for (size_t p = 0; p < text.size();) {
        size_t len = countedCharLength(text, p);
        if (len == 0) break;
        ++count;
        p += len;
    }
    return count;
}

std::string leftCharacters(std::string_view text, int n) {
    if (n < 0) n += characterCount(text);
    size_t p = 0;
    for (int i = 0; i < n && p < text.size(); ++i) {
        size_t len = countedCharLength(text, p);
        if (len == 0) {
            p = text.size();
            break;
        }
        p += len;
    }
    return std::string(text.substr(0, p));
}

size_t findText(std::string_view text, std::string_view needle, size_t from) {
    if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
    // The bytes are searched first; characters are walked only up to a match, to see whether it
    // starts at a character or inside one.
    for (size_t p = from;;) {
        size_t hit = text.find(needle, p);
        if (hit == std::string_view::npos) return hit;
        while (p < hit) p += charLengthAt(text, p);
        if (p == hit) return hit;
    }
}

std::vector<std::string> splitText(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t at = findText(text, separator, start);
        if (at == std::string_view::npos || separator.empty()) break;
        parts.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

std::string replaceText(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    size_t start = 0;
    for (;;) {
        size_t at = from.empty() ? std::string_view::npos : findText(text, from, start);
        if (at == std::string_view::npos) break;
        out.append(text.substr(start, at - start));
        out.append(to);
        start = at + from.size();
    }
    out.append(text.substr(start));
    return out;
}

#include "settings/SettingsLookup.h"

#include <string>

#include "platform/GbkText.h"

namespace {

constexpr size_t npos = std::string_view::npos;
constexpr std::string_view kLineEnd = "\r\n";

bool followsLineEnd(std::string_view content, size_t pos) {
    return pos == 0 || (pos >= 2 && content.substr(pos - 2, 2) == kLineEnd);
}

}  // namespace

std::optional<SectionPlace> locateSection(std::string_view content, std::string_view section) {
    std::string header = "[";
    header.append(section);
    header += ']';
    for (size_t at = findText(content, header); at != npos;
         at = findText(content, header, at + 1)) {
        if (followsLineEnd(content, at)) return SectionPlace{at, at + header.size() - 1};
    }
    return std::nullopt;
}

bool findHeaderBetween(std::string_view content, size_t from, size_t to) {
    for (size_t at = findText(content, "\r\n[", from); at != npos && at < to;
         at = findText(content, "\r\n[", at + 2)) {
        size_t open = at + 2;
        size_t close = findText(content, "]\r\n", open);
        if (close == npos || close > to) return false;
        if (findText(content.substr(0, close), kLineEnd, open) == npos) return true;
    }
    return false;
}

std::optional<KeyPlace> locateKey(std::string_view content, const SectionPlace& section,
                                  std::string_view key) {
    std::string line = "\r\n";
    line.append(key);
    line += '=';
    size_t at = findText(content, line, section.closing);
    if (at == npos) return std::nullopt;
    size_t keyStart = at + 2;
    if (findHeaderBetween(content, section.closing + 1, keyStart - 1)) return std::nullopt;
    size_t valueBegin = keyStart + key.size() + 1;
    size_t valueEnd = findText(content, kLineEnd, valueBegin);
    return KeyPlace{keyStart, valueBegin, valueEnd == npos ? content.size() : valueEnd};
}

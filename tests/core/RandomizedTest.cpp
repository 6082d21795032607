// Randomized runs of the settings lookups against a plain line model, and of the field text.
// Each runs about two seconds; LISTARO_FUZZ_SECONDS sets another length.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <random>

#include "forms/FieldText.h"
#include "platform/FileLock.h"
#include "platform/GbkText.h"
#include "settings/SettingsStore.h"
#include "support/TempDir.h"

namespace {

std::chrono::steady_clock::time_point deadline() {
    const char* seconds = std::getenv("LISTARO_FUZZ_SECONDS");
    double s = seconds ? std::atof(seconds) : 2.0;
    return std::chrono::steady_clock::now() +
           std::chrono::milliseconds(static_cast<int64_t>((s > 0 ? s : 2.0) * 1000));
}

// Pieces the texts are made of: brackets, "=", "|", Latin, and double-byte characters whose
// second byte is "|", "\", a Latin letter, "[" or "]".
const std::vector<std::string> kPieces = {
    "[",  "]",        "=",        "a",        "b",        "1",        "|",
    "||", "\x96\x7C", "\x9C\x5C", "\x81\x41", "\xB1\xED", "\x81\x5B", "\x81\x5D"};

class Random {
  public:
    explicit Random(uint32_t seed) : engine_(seed) {}
    int below(int n) { return static_cast<int>(engine_() % static_cast<uint32_t>(n)); }
    template <typename T>
    const T& pick(const std::vector<T>& from) {
        return from[static_cast<size_t>(below(static_cast<int>(from.size())))];
    }
    std::string text(int maxPieces) {
        std::string out;
        for (int n = below(maxPieces + 1); n > 0; --n) out += pick(kPieces);
        return out;
    }

  private:
    std::mt19937 engine_;
};

// The settings content as lines, with the lookups stated line by line.
class LineModel {
  public:
    explicit LineModel(const std::string& content) {
        if (!content.empty()) lines_ = splitText(content, "\r\n");
    }

    std::string content() const {
        std::string out;
        for (size_t i = 0; i < lines_.size(); ++i) out += (i ? "\r\n" : "") + lines_[i];
        return out;
    }

    std::optional<std::string> read(const std::string& section, const std::string& key) const {
        auto header = headerLine(section);
        if (!header) return std::nullopt;
        auto line = keyLine(*header, key);
        if (!line) return std::nullopt;
        return lines_[*line].substr(key.size() + 1);
    }

    void write(const std::string& section, const std::string& key, const std::string& value) {
        auto header = headerLine(section);
        if (!header) {
            lines_.push_back("[" + section + "]");
            header = headerLine(section);
        }
        auto line = keyLine(*header, key);
        if (!line) {
            // The new key goes directly after the header's "]": whatever followed it on that line
            // becomes the new key's old value.
            std::string rest = lines_[*header].substr(section.size() + 2);
            lines_[*header].resize(section.size() + 2);
            lines_.insert(lines_.begin() + static_cast<long>(*header) + 1, key + "=" + rest);
            line = *header + 1;
        }
        lines_[*line] = key + "=" + value;
    }

    int rename(const std::string& section, const std::string& key, const std::string& newKey) {
        auto header = headerLine(section);
        if (!header) return SettingsStore::NoSuchSection;
        auto line = keyLine(*header, key);
        if (!line) return SettingsStore::NoSuchKey;
        // The line starts with key "="; the key may itself hold "=".
        lines_[*line] = newKey + lines_[*line].substr(key.size());
        return SettingsStore::Done;
    }

  private:
    static bool startsWith(const std::string& line, const std::string& prefix) {
        return line.compare(0, prefix.size(), prefix) == 0;
    }
    // "[" ... "]", the "]" a character of its own.
    static bool isHeader(const std::string& line) {
        if (line.size() < 2 || line.front() != '[') return false;
        size_t last = 0;
        for (size_t p = 0; p < line.size(); p += charLengthAt(line, p)) last = p;
        return line[last] == ']';
    }

    std::optional<size_t> headerLine(const std::string& section) const {
        for (size_t i = 0; i < lines_.size(); ++i) {
            if (startsWith(lines_[i], "[" + section + "]")) return i;
        }
        return std::nullopt;
    }

    // The first later line that starts with key "=", unless a header line comes before it.
    std::optional<size_t> keyLine(size_t header, const std::string& key) const {
        for (size_t j = header + 1; j < lines_.size(); ++j) {
            if (startsWith(lines_[j], key + "=")) return j;
            if (isHeader(lines_[j])) return std::nullopt;
        }
        return std::nullopt;
    }

    std::vector<std::string> lines_;
};

TEST(Randomized, SettingsLookupsAgreeWithTheLineModel) {
    const std::vector<std::string> names = {"a", "b", "a]", "\x96\x7C", "\xB1\xED", "a=b", "["};
    const auto until = deadline();
    Random random(20261211);
    TempDir dir;
    const std::string path = dir.file("s.ini");
    // Holding the lock keeps the store in memory: the run tests the lookups, not the disk.
    FileLock lock;
    ASSERT_TRUE(lock.acquire(dir.file(".s.ini.lock")));
    int rounds = 0;
    while (std::chrono::steady_clock::now() < until || rounds < 50) {
        ++rounds;
        std::string content;
        for (int n = random.below(12); n > 0; --n) {
            int kind = random.below(4);
            std::string line = kind == 0   ? "[" + random.pick(names) + "]"
                               : kind == 1 ? random.pick(names) + "=" + random.text(3)
                               : kind == 2 ? "[" + random.text(2) + random.pick(kPieces)
                                           : random.text(5);
            content += (content.empty() && random.below(2) ? "" : "\r\n") + line;
        }
        TempDir::write(path, content);
        SettingsStore store;
        ASSERT_FALSE(store.open(path));
        LineModel model(store.content());
        for (int op = 0; op < 20; ++op) {
            const std::string& section = random.pick(names);
            const std::string& key = random.pick(names);
            SCOPED_TRACE(testing::Message()
                         << "content: " << testing::PrintToString(model.content()) << " section "
                         << section << " key " << key);
            switch (random.below(3)) {
                case 0:
                    EXPECT_EQ(store.readValue(section, key, "\x01", false),
                              model.read(section, key).value_or("\x01"));
                    break;
                case 1: {
                    std::string value = random.text(3);
                    store.selectSection(section);
                    store.writeText(key, value);
                    model.write(section, key, value);
                    break;
                }
                case 2: {
                    const std::string& newKey = random.pick(names);
                    EXPECT_EQ(store.renameKey(section, key, newKey),
                              model.rename(section, key, newKey));
                    break;
                }
            }
            ASSERT_EQ(store.content(), model.content());
        }
    }
}

TEST(Randomized, FieldTextsRoundTripAndParseAnything) {
    const auto until = deadline();
    Random random(42);
    int rounds = 0;
    while (std::chrono::steady_clock::now() < until || rounds < 1000) {
        ++rounds;
        // Fields whose names hold no "|" between characters read back as they were written.
        std::vector<ListField> fields(static_cast<size_t>(random.below(5)));
        for (ListField& f : fields) {
            do {
                f.name = random.text(4);
            } while (findText(f.name, "|") != std::string::npos);
            f.type = random.below(60) - 10;
            f.length = random.below(1000) - 500;
            f.link = random.below(30) - 2;
            f.key = random.below(2) == 1;
            f.width = 1 + random.below(500);
        }
        std::string text = formatFieldText(fields, true);
        ASSERT_EQ(parseFieldText(text, 6), fields) << testing::PrintToString(text);

        // Any text parses, one field per "||" between characters plus one, and parsing what
        // formatting writes changes nothing.
        std::string junk = random.text(12);
        auto parsed = parseFieldText(junk, 6);
        size_t separators = 0;
        for (size_t p = 0; p < junk.size(); p += charLengthAt(junk, p)) {
            if (junk.compare(p, 2, "||") == 0) {
                ++separators;
                ++p;  // the second "|" is not the start of another separator
            }
        }
        EXPECT_EQ(parsed.size(), junk.empty() ? 0 : separators + 1) << testing::PrintToString(junk);
        for (const ListField& f : parsed) EXPECT_EQ(findText(f.name, "|"), std::string::npos);
        std::string formatted = formatFieldText(parsed, true);
        EXPECT_EQ(parseFieldText(formatted, 6).size(), parsed.size());
        EXPECT_EQ(formatFieldText(parseFieldText(formatted, 6), true), formatted);
    }
}

}  // namespace

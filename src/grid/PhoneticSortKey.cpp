// The phonetic sort key: a Chinese character counts by its pinyin reading (ICU's Han-Latin
// transliteration without tone marks), a Latin letter or digit by its own small value, anything
// else by its byte values.
#include <unicode/translit.h>
#include <unicode/unistr.h>
#include <unicode/uscript.h>

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "grid/GridSort.h"
#include "platform/GbkText.h"
#include "platform/TextCodec.h"

namespace {

// The character's bytes as one decimal number, "214" "208" giving 214208.
int64_t concatenatedByteValues(std::string_view character) {
    int64_t value = 0;
    for (unsigned char byte : character)
        value = value * (byte >= 100 ? 1000 : byte >= 10 ? 100 : 10) + byte;
    return value;
}

// Letters weigh by position in the reading: A = 1 … Z = 26 times 1e9 / 26, then each further
// place a 26th of the one before.
int64_t readingValue(std::string_view reading) {
    int64_t sum = 0;
    int64_t weight = 1000000000 / 26;
    for (char c : reading) {
        int64_t position = c >= 'a' && c <= 'z'   ? c - 'a' + 1
                           : c >= 'A' && c <= 'Z' ? c - 'A' + 1
                                                  : 0;
        sum += position * weight;
        weight /= 26;
    }
    return sum;
}

class PinyinReader {
  public:
    PinyinReader() {
        UErrorCode status = U_ZERO_ERROR;
        transliterator_.reset(
            icu::Transliterator::createInstance("Han-Latin; Latin-ASCII", UTRANS_FORWARD, status));
        if (U_FAILURE(status)) transliterator_.reset();
    }

    // The reading of one GBK character, empty when it is not a Chinese character with a reading.
    std::string reading(std::string_view character) {
        if (!transliterator_) return {};
        icu::UnicodeString text = icu::UnicodeString::fromUTF8(gbkToUtf8(character));
        if (text.countChar32() != 1) return {};
        UErrorCode status = U_ZERO_ERROR;
        if (uscript_getScript(text.char32At(0), &status) != USCRIPT_HAN || U_FAILURE(status))
            return {};
        transliterator_->transliterate(text);
        std::string result;
        text.toUTF8String(result);
        for (char c : result)
            if (c & 0x80) return {};  // still untransliterated: no reading
        return result;
    }

  private:
    std::unique_ptr<icu::Transliterator> transliterator_;
};

int32_t characterValue(std::string_view character) {
    if (character.size() == 1) {
        char c = character[0];
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'z') return 2 * (c - 'a' + 1) + 10;
        if (c >= 'A' && c <= 'Z') return 2 * (c - 'A' + 1) + 11;
    }
    // A transliterator is not safe to share between threads, and readings repeat: one cache.
    static std::mutex mutex;
    static PinyinReader reader;
    static std::unordered_map<std::string, int32_t> cache;
    std::lock_guard lock(mutex);
    auto [it, added] = cache.try_emplace(std::string(character), 0);
    if (added) {
        std::string reading = character.size() > 1 ? reader.reading(character) : std::string();
        int64_t value = reading.empty() ? concatenatedByteValues(character) - 1000000
                                        : readingValue(reading) + concatenatedByteValues(character);
        it->second = int32_t(uint32_t(uint64_t(value)));
    }
    return it->second;
}

}  // namespace

std::vector<int32_t> phoneticSortKey(std::string_view text) {
    std::vector<int32_t> key;
    for (size_t i = 0; i < text.size();) {
        size_t length = text.compare(i, 2, "\r\n") == 0 ? 2 : charLengthAt(text, i);
        bool strayLeadByte = length == 1 && (unsigned char)text[i] >= 0x80 && i + 1 == text.size();
        if (!strayLeadByte) key.push_back(characterValue(text.substr(i, length)));
        i += length;
    }
    return key;
}

#include "platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>

namespace {

// Converts with iconv; a byte sequence the source encoding cannot read becomes `replacement` and
// conversion goes on after that byte, so bad input never loses the rest of the text.
std::string convert(std::string_view input, const char* from, const char* to,
                    std::string_view replacement) {
    std::string out;
    if (input.empty()) return out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input);
    out.reserve(input.size() * 2);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (rc != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL (truncated sequence at the end): skip one byte.
        out.append(replacement);
        ++in;
        --inLeft;
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, outPtr - buffer);
    iconv_close(cd);
    return out;
}

}  // namespace

std::string utf8ToGbk(std::string_view utf8) {
    return convert(utf8, "UTF-8", "GB18030", "?");
}

std::string gbkToUtf8(std::string_view gbk) {
    return convert(gbk, "GB18030", "UTF-8", "\xEF\xBF\xBD");
}

#include "forms/FieldText.h"

#include <cstdio>

#include "platform/GbkText.h"
#include "platform/TextCodec.h"

namespace {

constexpr int32_t kDefaultWidth = 100;

ListField parseField(std::string_view piece, int partCount) {
    std::vector<std::string> parts = splitText(piece, "|");
    parts.resize(static_cast<size_t>(partCount));
    ListField field;
    field.name = parts[0];
    field.type = integerValue(parts[1]);
    field.length = integerValue(parts[2]);
    field.link = integerValue(parts[3]);
    field.key = isTrueText(parts[4]);
    if (partCount >= 6) {
        int32_t width = integerValue(parts[5]);
        field.width = width > 0 ? width : kDefaultWidth;
    }
    return field;
}

void appendField(std::string& out, const FieldSpec& field) {
    if (!out.empty()) out += "||";
    out += field.name + "|" + integerText(field.type) + "|" + integerText(field.length) + "|" +
           integerText(field.link) + "|" + logicalText(field.key);
}

}  // namespace

std::vector<ListField> parseFieldText(std::string_view text, int partCount) {
    std::vector<ListField> fields;
    if (text.empty()) return fields;
    partCount = partCount >= 6 ? 6 : 5;
    for (const std::string& piece : splitText(text, "||")) {
        fields.push_back(parseField(piece, partCount));
    }
    return fields;
}

std::vector<FieldSpec> parseFormFieldText(std::string_view text) {
    std::vector<ListField> parsed = parseFieldText(text, 5);
    return std::vector<FieldSpec>(parsed.begin(), parsed.end());
}

std::string formatFieldText(const std::vector<FieldSpec>& fields) {
    std::string out;
    for (const FieldSpec& field : fields) appendField(out, field);
    return out;
}

std::string formatFieldText(const std::vector<ListField>& fields, bool withWidth) {
    std::string out;
    for (const ListField& field : fields) {
        appendField(out, field);
        if (withWidth) out += "|" + integerText(field.width);
    }
    return out;
}

const std::string& sampleFieldText() {
    return GBK(
        "平台|10|10|0|真||域名|10|30|0|假||IP|10|30|0|假||FTP|23|30|0|假||域名续费商|22|30|0|假||"
        "服务器续费商|22|30|0|假||域名到期|21|30|0|假||服务器到期|21|30|0|假||账号|10|30|12|假||"
        "密码|10|30|0|假||PING|25|30|3|假||备注|10|100|0|假");
}

std::vector<std::string> splitValue(std::string_view value, int n) {
    std::vector<std::string> parts = splitText(value, "||");
    parts.resize(static_cast<size_t>(n > 0 ? n : 0));
    return parts;
}

namespace {

// Part `index` (from 0) of a value split at "||", without copying.
std::string_view valuePart(std::string_view value, int index) {
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        size_t bars = findText(value, "||", start);
        if (bars == std::string_view::npos) return {};
        start = bars + 2;
    }
    return value.substr(start, findText(value, "||", start) - start);
}

}  // namespace

std::string_view displayView(int32_t type, std::string_view value, std::string& scratch) {
    switch (type) {
        case FieldType::Link:
        case FieldType::QqLink:
            return valuePart(value, 0);
        case FieldType::FtpLink: {
            std::string_view user = valuePart(value, 0);
            std::string_view server = valuePart(value, 2);
            if (server.empty() || user.empty()) return server;
            scratch.assign(server).append("(").append(user).append(")");
            return scratch;
        }
        default:
            return value;
    }
}

void displayText(int32_t type, std::string_view value, std::string& out) {
    std::string_view shown = displayView(type, value, out);
    if (shown.data() != out.data() || shown.size() != out.size()) out.assign(shown);
}

std::string displayText(int32_t type, std::string_view value) {
    std::string out;
    displayText(type, value, out);
    return out;
}

std::string integerText(int64_t value) {
    return std::to_string(value);
}

std::string decimalText(float value) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.6g", static_cast<double>(value));
    return buffer;
}

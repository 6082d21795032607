#pragma once
// The field model shared by the whole program. Texts are GBK.
#include <cstdint>
#include <string>
#include <vector>

// Stored codes: never renumber. A namespace of plain constants, because fields hold any code
// (0 and unknown codes occur in stored files).
namespace FieldType {
enum : int32_t {
    Integer = 3,
    Decimal = 5,
    Logical = 7,
    DateTime = 8,
    Text = 10,
    LongText = 12,
    FreeDateTime = 21,
    Link = 22,
    FtpLink = 23,
    QqLink = 24,
    Ping = 25,
};
}  // namespace FieldType

struct FieldSpec {
    std::string name;
    int32_t type = 0;    // a FieldType code; other codes behave like Text
    int32_t length = 0;  // maximal bytes of a Text value
    int32_t link = 0;    // Ping only: 1-based position of the checked field; 0 or -1 for none
    bool key = false;    // its distinct values are indexed in the list tree
    bool operator==(const FieldSpec&) const = default;
};

// A list's own copy of a field: the field plus its grid column width in pixels.
struct ListField : FieldSpec {
    int32_t width = 100;
    bool operator==(const ListField&) const = default;
};

struct FormSpec {
    std::string name;
    std::vector<FieldSpec> fields;
};

using FormLibrary = std::vector<FormSpec>;

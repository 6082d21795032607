#include "lists/RecordValueText.h"

namespace {

struct TextForm {
    std::string& out;
    void operator()(const std::string& text) { out.assign(text); }
    void operator()(int32_t number) { out = integerText(number); }
    void operator()(float number) { out = decimalText(number); }
    void operator()(bool logical) { out.assign(logicalText(logical)); }
    void operator()(const DateTime& dateTime) {
        if (dateTime == DateTime{})
            out.clear();
        else
            out = dateTimeText(dateTime);
    }
};

}  // namespace

void recordValueText(const RecordValue& value, std::string& out) {
    std::visit(TextForm{out}, value);
}

std::string recordValueText(const RecordValue& value) {
    std::string out;
    recordValueText(value, out);
    return out;
}

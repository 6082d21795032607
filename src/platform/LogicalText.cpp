#include "platform/LogicalText.h"

#include "platform/TextCodec.h"

const std::string& logicalText(bool value) {
    return value ? GBK("真") : GBK("假");
}

bool isTrueText(std::string_view text) {
    return text == GBK("真");
}

#pragma once
// The boundary between the program's GBK texts and Qt's QString.
#include <QString>
#include <string>
#include <string_view>

#include "platform/TextCodec.h"

inline QString toQString(std::string_view gbk) {
    std::string utf8 = gbkToUtf8(gbk);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string toGbk(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    return utf8ToGbk(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

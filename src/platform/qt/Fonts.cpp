#include "platform/qt/Fonts.h"

#include <QFont>
#include <QStringList>

void installFontSubstitutes() {
    QFont::insertSubstitutions(QString::fromUtf8("宋体"),
                               {"SimSun", "WenQuanYi Micro Hei", "Noto Sans CJK SC"});
}

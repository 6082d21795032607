// The date-time text form of field values: written as "2018年3月13日10时5分", read back from that
// form and from the usual numeric forms.
#include <string>

#include "forms/FieldText.h"
#include "platform/TextCodec.h"

namespace {

// Reads the text left to right; every step either consumes what it expects or fails.
class Cursor {
  public:
    explicit Cursor(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ == text_.size(); }

    bool literal(std::string_view expected) {
        if (text_.substr(pos_, expected.size()) != expected) return false;
        pos_ += expected.size();
        return true;
    }

    // Between minDigits and maxDigits decimal digits.
    bool number(int minDigits, int maxDigits, int& value) {
        int digits = 0;
        int result = 0;
        while (digits < maxDigits && pos_ < text_.size() && text_[pos_] >= '0' &&
               text_[pos_] <= '9') {
            result = result * 10 + (text_[pos_] - '0');
            ++pos_;
            ++digits;
        }
        if (digits < minDigits) return false;
        value = result;
        return true;
    }

  private:
    std::string_view text_;
    size_t pos_ = 0;
};

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

bool isValid(const DateTime& v) {
    return v.year >= 1 && v.year <= 9999 && v.month >= 1 && v.month <= 12 && v.day >= 1 &&
           v.day <= daysInMonth(v.year, v.month) && v.hour >= 0 && v.hour <= 23 && v.minute >= 0 &&
           v.minute <= 59 && v.second >= 0 && v.second <= 59;
}

// "2018年3月13日" with "10时", "10时5分" or "10时5分7秒" after it.
bool readChineseForm(std::string_view text, DateTime& v) {
    Cursor c(text);
    if (!(c.number(1, 4, v.year) && c.literal(GBK("年")) && c.number(1, 2, v.month) &&
          c.literal(GBK("月")) && c.number(1, 2, v.day) && c.literal(GBK("日")))) {
        return false;
    }
    if (c.atEnd()) return true;
    if (!(c.number(1, 2, v.hour) && c.literal(GBK("时")))) return false;
    if (c.atEnd()) return true;
    if (!(c.number(1, 2, v.minute) && c.literal(GBK("分")))) return false;
    if (c.atEnd()) return true;
    return c.number(1, 2, v.second) && c.literal(GBK("秒")) && c.atEnd();
}

// "2018-3-13", "2018-03-13" or "2018/3/13", then " 10:05" or " 10:05:00".
bool readNumericForm(std::string_view text, DateTime& v) {
    Cursor c(text);
    if (!c.number(4, 4, v.year)) return false;
    std::string_view separator = c.literal("-") ? "-" : c.literal("/") ? "/" : "";
    if (separator.empty()) return false;
    if (!(c.number(1, 2, v.month) && c.literal(separator) && c.number(1, 2, v.day))) return false;
    if (c.atEnd()) return true;
    if (!(c.literal(" ") && c.number(1, 2, v.hour) && c.literal(":") && c.number(2, 2, v.minute))) {
        return false;
    }
    if (c.atEnd()) return true;
    return c.literal(":") && c.number(2, 2, v.second) && c.atEnd();
}

}  // namespace

std::string dateTimeText(const DateTime& v) {
    std::string text = std::to_string(v.year) + GBK("年") + std::to_string(v.month) + GBK("月") +
                       std::to_string(v.day) + GBK("日");
    if (v.second != 0) {
        text += std::to_string(v.hour) + GBK("时") + std::to_string(v.minute) + GBK("分") +
                std::to_string(v.second) + GBK("秒");
    } else if (v.minute != 0) {
        text += std::to_string(v.hour) + GBK("时") + std::to_string(v.minute) + GBK("分");
    } else if (v.hour != 0) {
        text += std::to_string(v.hour) + GBK("时");
    }
    return text;
}

bool parseDateTime(std::string_view text, DateTime& value) {
    DateTime read;
    if (!readChineseForm(text, read)) {
        read = DateTime{};
        if (!readNumericForm(text, read)) return false;
    }
    if (!isValid(read)) return false;
    value = read;
    return true;
}

#include "links/CellLinks.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "forms/FieldModel.h"
#include "forms/FieldText.h"
#include "platform/GbkText.h"

namespace {

std::string qqChatLink(const std::string& number) {
    return "https://wpa.qq.com/msgrd?v=3&uin=" + number + "&site=qq&menu=yes";
}

std::string ftpAddress(const std::string& user, const std::string& password,
                       const std::string& server) {
    return "FTP://" + user + ":" + password + "@" + server;
}

// Characters that would end the user or password part of an FTP address early. A double-byte
// character passes whole: its second byte may be "@" (丂 is 81 40).
std::string escapedCredential(const std::string& text) {
    static const std::string reserved = "%:@/?# ";
    std::string escaped;
    for (size_t p = 0, length = 0; p < text.size(); p += length) {
        length = charLengthAt(text, p);
        const char c = text[p];
        if (length > 1 || reserved.find(c) == std::string::npos) {
            escaped.append(text, p, length);
            continue;
        }
        static const char hex[] = "0123456789ABCDEF";
        escaped += '%';
        escaped += hex[(unsigned char)c >> 4];
        escaped += hex[(unsigned char)c & 15];
    }
    return escaped;
}

std::string lowerCase(std::string text) {
    for (char& c : text) c = char(std::tolower((unsigned char)c));
    return text;
}

// The scheme of an address written as scheme "://" rest (letters, then letters, digits, "+", "-"
// or "."), in lower case; empty when it has none.
std::string schemeOf(const std::string& address) {
    size_t end = address.find("://");
    if (end == std::string::npos || end == 0 || !std::isalpha((unsigned char)address[0])) return {};
    for (size_t i = 0; i < end; ++i) {
        unsigned char c = (unsigned char)address[i];
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return {};
    }
    return lowerCase(address.substr(0, end));
}

// Blanks around an address, typed or imported with it, are not part of it.
std::string withoutBlanks(const std::string& text) {
    static const char blanks[] = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The address to hand to the desktop, or empty when it must not be opened: web and FTP addresses
// and mail links as they are, a drive path (C:\x.exe) or any other scheme refused, and anything
// else taken as a web address without its scheme ("www.example.com", "host:8080/x").
std::string openableAddress(const std::string& stored) {
    const std::string address = withoutBlanks(stored);
    if (address.empty()) return {};
    std::string scheme = schemeOf(address);
    if (!scheme.empty()) {
        static const std::array<std::string, 4> allowed = {"http", "https", "ftp", "ftps"};
        bool known = std::find(allowed.begin(), allowed.end(), scheme) != allowed.end();
        return known ? address : std::string();
    }
    if (lowerCase(address.substr(0, 7)) == "mailto:") return address;
    bool drivePath = address.size() >= 3 && std::isalpha((unsigned char)address[0]) &&
                     address[1] == ':' && (address[2] == '\\' || address[2] == '/');
    return drivePath ? std::string() : "http://" + address;
}

void open(Shell& shell, const std::string& address) {
    std::string openable = openableAddress(address);
    if (!openable.empty()) shell.openAddress(openable);
}

}  // namespace

bool isLinkType(int32_t type) {
    return type == FieldType::Link || type == FieldType::FtpLink || type == FieldType::QqLink;
}

std::string linkTarget(int32_t type, const std::string& p1, const std::string& p2,
                       const std::string& p3) {
    switch (type) {
        case FieldType::Link:
            return p2;
        case FieldType::QqLink:
            return qqChatLink(p2);
        case FieldType::FtpLink:
            return ftpAddress(p1, p2, p3);
        default:
            return {};
    }
}

void linkValueAction(int32_t type, std::string_view value, LinkServices& services) {
    if (!isLinkType(type)) return;
    std::vector<std::string> p = splitValue(value, 3);
    if (services.keys.altDown()) {
        services.clipboard.setText(linkTarget(type, p[0], p[1], p[2]));
        services.beep.beep();
        return;
    }
    if (type == FieldType::FtpLink) {
        const std::string server = withoutBlanks(p[2]);
        if (!server.empty())
            open(services.shell,
                 ftpAddress(escapedCredential(p[0]), escapedCredential(p[1]), server));
    } else if (const std::string address = withoutBlanks(p[1]); !address.empty()) {
        open(services.shell, type == FieldType::QqLink ? qqChatLink(address) : address);
    }
}

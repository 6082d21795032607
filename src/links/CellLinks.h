#pragma once
// The addresses of link values (Link, QqLink, FtpLink) and what a click on such a cell does:
// open the address, or copy it while Alt is held. Texts are GBK.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Beep.h"
#include "platform/Clipboard.h"
#include "platform/Keys.h"
#include "platform/Shell.h"

bool isLinkType(int32_t type);

// The address of a link value from its parts p1, p2, p3 = splitValue(value, 3): the web address
// of a Link, the QQ chat link for the number of a QqLink, "FTP://" user ":" password "@" server of
// an FtpLink; empty for any other type.
std::string linkTarget(int32_t type, const std::string& p1, const std::string& p2,
                       const std::string& p3);

struct LinkServices {
    Shell& shell;
    Clipboard& clipboard;
    Beep& beep;
    Keys& keys;
};

// A click on a cell whose field has this type and this stored value. With Alt held the address
// goes to the clipboard as it is, with a beep. Otherwise it is opened when its address part (the
// server of an FtpLink) is not empty. Only web, FTP and mail addresses are opened, and a bare
// host name is taken as a web address: a value can never make the desktop run a local program.
void linkValueAction(int32_t type, std::string_view value, LinkServices& services);

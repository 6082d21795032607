#pragma once
// The desktop's services for the link actions and copies: the default handler of an address, the
// clipboard, the beep and the modifier keys.
#include <QUrl>

#include "platform/Beep.h"
#include "platform/Clipboard.h"
#include "platform/Keys.h"
#include "platform/Shell.h"

// The URL a link address opens as, or an empty one when it must not be opened: only network
// schemes, never a local file, never a program.
QUrl openableUrl(const std::string& utf8Address);

class QtShell : public Shell {
  public:
    void openAddress(const std::string& address) override;
};

class QtClipboard : public Clipboard {
  public:
    void setText(const std::string& text) override;
};

class QtBeep : public Beep {
  public:
    void beep() override;
};

class QtKeys : public Keys {
  public:
    bool altDown() override;
    bool ctrlDown() override;
};

// The URL the desktop is asked to open for an address (UTF-8); empty when it must not be opened:
// nothing, a program (".exe"), a local file or a scheme other than http, https, ftp and mailto.
QUrl openableUrl(const std::string& utf8Address);

// The four together, as the grid's link actions and copies take them.
struct QtDesktop {
    QtShell shell;
    QtClipboard clipboard;
    QtBeep beep;
    QtKeys keys;
};

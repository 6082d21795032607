#pragma once
// Recording stand-ins for the shell, clipboard, beep and keyboard.
#include <string>
#include <vector>

#include "platform/Beep.h"
#include "platform/Clipboard.h"
#include "platform/Keys.h"
#include "platform/Shell.h"

struct RecordingShell : Shell {
    std::vector<std::string> opened;
    void openAddress(const std::string& address) override { opened.push_back(address); }
};

struct RecordingClipboard : Clipboard {
    std::vector<std::string> texts;
    void setText(const std::string& text) override { texts.push_back(text); }
};

struct CountingBeep : Beep {
    int beeps = 0;
    void beep() override { ++beeps; }
};

struct FakeKeys : Keys {
    bool alt = false;
    bool ctrl = false;
    bool altDown() override { return alt; }
    bool ctrlDown() override { return ctrl; }
};

// The four together, as the link action and the grid take them.
struct FakeDesktop {
    RecordingShell shell;
    RecordingClipboard clipboard;
    CountingBeep beep;
    FakeKeys keys;
};

#pragma once
// Opening an address with the desktop's own handler (browser, file manager, chat client). The
// address is one argument, never part of a shell command line, and is never run as a program.
// Texts are GBK.
#include <string>

class Shell {
  public:
    virtual ~Shell() = default;
    // Does not wait for the handler; failures are not reported.
    virtual void openAddress(const std::string& address) = 0;
};

#pragma once
// Benchmarks answer every box with OK and print it, so an unexpected message is seen, not hidden.
#include <cstdio>

#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

class PrintedDialogs : public Dialogs {
  public:
    MessageAnswer showMessage(const std::string& text, const std::string& title, MessageIcon,
                              MessageButtons) override {
        std::fprintf(stderr, "message: %s (%s)\n", gbkToUtf8(text).c_str(),
                     gbkToUtf8(title).c_str());
        return MessageAnswer::Ok;
    }
    std::vector<std::string> chooseOpenFiles(const std::string&, const std::string&) override {
        return {};
    }
    std::string chooseSaveFile(const std::string&, const std::string&,
                               const std::string&) override {
        return {};
    }
};

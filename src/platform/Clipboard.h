#pragma once
// The system clipboard, plain text only. Texts are GBK.
#include <string>

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void setText(const std::string& text) = 0;
};

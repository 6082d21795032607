#pragma once
// The system beep that confirms a copy.
class Beep {
  public:
    virtual ~Beep() = default;
    virtual void beep() = 0;
};

#pragma once
// Modifier keys as the system reports them now (after pending window events were processed), for
// actions that look at the keyboard rather than at the state an event carried.
class Keys {
  public:
    virtual ~Keys() = default;
    virtual bool altDown() = 0;
    virtual bool ctrlDown() = 0;
};

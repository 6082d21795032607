#pragma once
// The display texts that already have a value node under one key-field node. Keys compare byte
// for byte.
#include <string>
#include <unordered_set>

class ValueSet {
  public:
    // True when the key was new (it is added now), false when it was there already.
    bool addValue(const std::string& key) {
        if (!keys_.insert(key).second) return false;
        ++added_;
        return true;
    }
    int addedCount() const { return added_; }

  private:
    std::unordered_set<std::string> keys_;
    int added_ = 0;
};

#pragma once
// The display texts that already have a value node under one key-field node. Keys compare byte
// for byte. Asked once per record and key field while a list loads, so it is an open-addressing
// table keyed by a cheap hash, without a heap node per key.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class ValueSet {
  public:
    // True when the key was new (it is added now), false when it was there already.
    bool addValue(std::string_view key);
    int addedCount() const { return static_cast<int>(keys_.size()); }

  private:
    static uint64_t hashOf(std::string_view key);
    void grow();

    std::vector<std::string> keys_;
    // Per slot: 0 for empty, else the index of its key + 1; beside it the key's hash.
    std::vector<uint32_t> slots_;
    std::vector<uint64_t> slotHashes_;
};

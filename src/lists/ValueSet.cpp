#include "lists/ValueSet.h"

#include <cstring>

uint64_t ValueSet::hashOf(std::string_view key) {
    // Eight bytes at a time, the length mixed in, then mixed so that the low bits, which pick the
    // slot, depend on every byte.
    uint64_t h = 1469598103934665603ull ^ key.size();
    const char* p = key.data();
    size_t left = key.size();
    for (; left >= 8; p += 8, left -= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        h = (h ^ word) * 0x9e3779b97f4a7c15ull;
        h ^= h >> 32;
    }
    if (left > 0) {
        uint64_t word = 0;
        std::memcpy(&word, p, left);
        h = (h ^ word) * 0x9e3779b97f4a7c15ull;
    }
    h ^= h >> 29;
    h *= 0xbf58476d1ce4e5b9ull;
    return h ^ (h >> 32);
}

void ValueSet::grow() {
    size_t size = slots_.empty() ? 16 : slots_.size() * 2;
    slots_.assign(size, 0);
    slotHashes_.assign(size, 0);
    for (size_t k = 0; k < keys_.size(); ++k) {
        uint64_t h = hashOf(keys_[k]);
        size_t i = h & (size - 1);
        while (slots_[i] != 0) i = (i + 1) & (size - 1);
        slots_[i] = static_cast<uint32_t>(k + 1);
        slotHashes_[i] = h;
    }
}

bool ValueSet::addValue(std::string_view key) {
    if ((keys_.size() + 1) * 2 > slots_.size()) grow();
    uint64_t h = hashOf(key);
    size_t mask = slots_.size() - 1;
    size_t i = h & mask;
    for (; slots_[i] != 0; i = (i + 1) & mask)
        if (slotHashes_[i] == h && keys_[slots_[i] - 1] == key) return false;
    keys_.emplace_back(key);
    slots_[i] = static_cast<uint32_t>(keys_.size());
    slotHashes_[i] = h;
    return true;
}

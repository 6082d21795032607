#pragma once
// The grid's layout and scroll arithmetic computes in double precision and converts back by
// truncating toward zero, keeping the low 32 bits of a wider result. A value that is no number or
// beyond 64 bits (a division by zero rows) gives 0.
#include <cmath>
#include <cstdint>

inline int32_t truncated(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 9.2e18) return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(value)));
}

#pragma once
// "Let the user interface process pending events". The window layer supplies the real one; without
// a window layer it does nothing, and tests script what happens during a yield.
#include <time.h>

#include <chrono>
#include <functional>

using UiYield = std::function<void()>;

// For loops over many records or rows: yields at most once per interval of wall time, so the window
// stays responsive without a million event-loop passes.
class ThrottledYield {
  public:
    explicit ThrottledYield(UiYield yield,
                            std::chrono::milliseconds interval = std::chrono::milliseconds(10))
        : yield_(std::move(yield)), interval_(interval), last_(now()) {}

    // Returns true when it yielded.
    bool operator()() {
        if (!yield_) return false;
        if (now() - last_ < interval_) return false;
        yield_();
        last_ = now();
        return true;
    }

  private:
    // The kernel's tick clock: asked once per record of a load, and far cheaper than the precise
    // clock, while a tick is well below any interval used.
    static std::chrono::nanoseconds now() {
        timespec t;
        clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
        return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
    }

    UiYield yield_;
    std::chrono::milliseconds interval_;
    std::chrono::nanoseconds last_;
};

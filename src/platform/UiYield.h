#pragma once
// "Let the user interface process pending events". The window layer supplies the real one; without
// a window layer it does nothing, and tests script what happens during a yield.
#include <chrono>
#include <functional>

using UiYield = std::function<void()>;

// For loops over many records or rows: yields at most once per interval of wall time, so the window
// stays responsive without a million event-loop passes.
class ThrottledYield {
  public:
    explicit ThrottledYield(UiYield yield,
                            std::chrono::milliseconds interval = std::chrono::milliseconds(10))
        : yield_(std::move(yield)), interval_(interval), last_(Clock::now()) {}

    // Returns true when it yielded.
    bool operator()() {
        if (!yield_) return false;
        auto now = Clock::now();
        if (now - last_ < interval_) return false;
        yield_();
        last_ = Clock::now();
        return true;
    }

  private:
    using Clock = std::chrono::steady_clock;
    UiYield yield_;
    std::chrono::milliseconds interval_;
    Clock::time_point last_;
};

// Sorting the grid's rows by one column.
#include "grid/GridSort.h"
#include "grid/RecordGrid.h"

namespace {

// Clears a flag when the scope ends, however it ends.
struct FlagScope {
    std::atomic<bool>& flag;
    explicit FlagScope(std::atomic<bool>& f) : flag(f) { flag = true; }
    ~FlagScope() { flag = false; }
};

}  // namespace

void RecordGrid::setUiYield(UiYield yield, std::chrono::milliseconds interval) {
    uiYield_ = std::move(yield);
    uiYieldInterval_ = interval;
}

void RecordGrid::sortByColumn(int column, bool ascending, int keyKind) {
    std::unique_lock lock(mutex_);
    if (sortRunning_ || !validColumn(column)) return;
    FlagScope running(sortRunning_);
    const int count = rowCount();
    // The lock is let go while the window processes events, so that workers and painting go on;
    // the sort keeps copies of what it needs, and gives up when the rows it ordered are no longer
    // the same number.
    ThrottledYield yield(uiYield_, uiYieldInterval_);
    auto pause = [&] {
        lock.unlock();
        yield();
        lock.lock();
        return rowCount() == count;
    };
    auto cell = [&](int32_t pos) { return rows_.cell(size_t(pos), size_t(column - 1)); };
    std::optional<std::vector<int32_t>> order =
        sortedRowOrder(count, cell, keyKind, ascending, pause);
    if (!order) return;
    std::vector<int> rows(order->begin(), order->end());
    for (int& row : rows) ++row;
    reorderRows(rows);
    scrollRows();
}

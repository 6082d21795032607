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
    // the sort keeps copies of what it needs. Commands that change rows are refused meanwhile
    // (sortRunning); should rows still be added, removed or replaced, the sort gives up rather
    // than reorder rows it did not see.
    std::vector<int32_t> bookmarksBefore(static_cast<size_t>(count));
    for (size_t i = 0; i < bookmarksBefore.size(); ++i) bookmarksBefore[i] = rows_.bookmark(i);
    auto titles = [&] {
        std::vector<std::string> result;
        for (const GridColumn& c : columns_) result.push_back(c.title);
        return result;
    };
    const std::vector<std::string> titlesBefore = titles();
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
    if (!order || titles() != titlesBefore) return;
    for (size_t i = 0; i < bookmarksBefore.size(); ++i)
        if (rows_.bookmark(i) != bookmarksBefore[i]) return;
    std::vector<int> rows(order->begin(), order->end());
    for (int& row : rows) ++row;
    reorderRows(rows);
    scrollRows();
}

#include "grid/RowSelection.h"

#include <algorithm>
#include <iterator>

bool RowSelection::contains(int row) const {
    if (row >= 1 && row < kMaxTracked) {
        return static_cast<size_t>(row) < member_.size() && member_[row];
    }
    return std::find(numbers_.begin(), numbers_.end(), row) != numbers_.end();
}

void RowSelection::add(int row) {
    if (contains(row)) return;
    numbers_.push_back(row);
    if (row < 1 || row >= kMaxTracked) return;
    if (static_cast<size_t>(row) >= member_.size()) member_.resize(row + 1);
    member_[row] = true;
}

void RowSelection::remove(int row) {
    if (!contains(row)) return;
    // From the back: rows are removed from the highest down, so after a select-all the number
    // sought is the last one, and a million removals stay linear.
    numbers_.erase(std::next(std::find(numbers_.rbegin(), numbers_.rend(), row)).base());
    if (row >= 1 && row < kMaxTracked) member_[row] = false;
}

void RowSelection::clear() {
    numbers_.clear();
    member_.clear();
}

void RowSelection::setRange(int first, int last) {
    clear();
    if (last < first) return;
    numbers_.reserve(last - first + 1);
    for (int row = first; row <= last; ++row) add(row);
}

void RowSelection::sortAscending() {
    std::sort(numbers_.begin(), numbers_.end());
}

#pragma once
// The grid's selection: distinct row numbers in the order they were added. Numbers are not
// renumbered when rows come and go. Membership is kept in a bit per number as well, so that
// painting a row asks in constant time even when a million rows are selected.
#include <vector>

class RowSelection {
  public:
    const std::vector<int>& numbers() const { return numbers_; }
    bool empty() const { return numbers_.empty(); }
    int size() const { return static_cast<int>(numbers_.size()); }
    bool contains(int row) const;

    // Appends row unless present.
    void add(int row);
    void remove(int row);
    void clear();
    // [first … last] ascending.
    void setRange(int first, int last);
    void sortAscending();

  private:
    static constexpr int kMaxTracked = 1 << 26;  // larger numbers are only listed
    std::vector<int> numbers_;
    std::vector<bool> member_;
};

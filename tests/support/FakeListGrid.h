#pragma once
// A ListGrid that keeps columns and rows in memory and counts the layout calls.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lists/ListGrid.h"

class FakeListGrid : public ListGrid {
  public:
    struct Column {
        std::string title;
        int width = 88;
    };
    struct Row {
        std::vector<std::string> cells;
        int32_t bookmark = 0;
    };

    void clearRows(bool noRedraw) override {
        rows.clear();
        repaintPending = noRedraw;
    }
    void clearColumns(bool noRelayout) override {
        columns.clear();
        for (auto& row : rows) row.cells.clear();
        repaintPending = noRelayout;
    }
    void addColumn(const std::string& title, std::optional<int> width, bool, bool) override {
        columns.push_back({title, width.value_or(88)});
    }
    int columnCount() const override {
        if (onColumnCount) onColumnCount();
        return static_cast<int>(columns.size());
    }
    void addRow(const std::vector<std::string>& cells, int32_t bookmark, bool padToColumns, bool,
                bool) override {
        rows.push_back({fitted(cells, padToColumns), bookmark});
    }
    void setRow(int row, const std::optional<std::vector<std::string>>& cells,
                std::optional<int32_t> bookmark, bool padToColumns, bool) override {
        if (row < 1 || row > static_cast<int>(rows.size())) return;
        if (cells) rows[row - 1].cells = fitted(*cells, padToColumns);
        if (bookmark) rows[row - 1].bookmark = *bookmark;
    }
    int autoFitColumns(int, int, bool noRelayout, bool, int) override {
        ++autoFits;
        repaintPending = repaintPending && noRelayout;
        return 0;
    }
    void scrollColumns(std::optional<int>, std::optional<int>, int, int, bool) override {
        ++relayouts;
        repaintPending = false;
    }

    // The first cell of every row.
    std::vector<std::string> firstCells() const {
        std::vector<std::string> cells;
        for (const auto& row : rows) cells.push_back(row.cells.empty() ? "" : row.cells[0]);
        return cells;
    }

    std::vector<Column> columns;
    std::vector<Row> rows;
    int autoFits = 0;
    int relayouts = 0;
    // The grid was emptied without being painted again since: it still shows what it held.
    bool repaintPending = false;
    // Runs whenever the column count is asked for, as a moment in the middle of showing a record.
    std::function<void()> onColumnCount;

  private:
    std::vector<std::string> fitted(std::vector<std::string> cells, bool padToColumns) const {
        if (padToColumns) cells.resize(columns.size());
        return cells;
    }
};

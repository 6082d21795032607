#pragma once
// The grid operations the list tree drives when it loads a list. RecordGrid implements them; tests
// use a recording fake. Rows and columns count from 1.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ListGrid {
  public:
    virtual ~ListGrid() = default;

    virtual void clearRows(bool noRedraw = false) = 0;
    virtual void clearColumns(bool noRelayout = false) = 0;
    // Without a width the column is 88 pixels wide.
    virtual void addColumn(const std::string& title, std::optional<int> width = std::nullopt,
                           bool noRelayout = false, bool noReshape = false) = 0;
    virtual int columnCount() const = 0;
    virtual void addRow(const std::vector<std::string>& cells, int32_t bookmark = 0,
                        bool padToColumns = false, bool noRedraw = false,
                        bool scrollToEnd = false) = 0;
    // Appends a row whose cells are copied from the views; a grid that keeps its rows in a form of
    // its own copies them once.
    virtual void addRowViews(const std::vector<std::string_view>& cells, int32_t bookmark,
                             bool padToColumns, bool noRedraw) {
        addRow(std::vector<std::string>(cells.begin(), cells.end()), bookmark, padToColumns,
               noRedraw);
    }
    virtual void setRow(int row, const std::optional<std::vector<std::string>>& cells,
                        std::optional<int32_t> bookmark, bool padToColumns = false,
                        bool noRedraw = false) = 0;
    // source 0 titles and cells, 1 titles only, 2 cells only; column 0 means all columns.
    virtual int autoFitColumns(int source = 0, int column = 0, bool noRelayout = false,
                               bool measureOnly = false, int maxWidth = 0) = 0;
    virtual void scrollColumns(std::optional<int> fromColumn = std::nullopt,
                               std::optional<int> leftColumn = std::nullopt, int hotPart = 0,
                               int delta = 0, bool hover = false) = 0;
};

// Rows, columns, selection and lines of text.
#include "grid/RecordGrid.h"

#include <algorithm>

#include "forms/FieldModel.h"
#include "grid/NullCanvas.h"
#include "platform/TextCodec.h"

namespace {

bool isLinkType(int32_t type) {
    return type == FieldType::Link || type == FieldType::FtpLink || type == FieldType::QqLink;
}

void appendItem(std::string& line, bool first, std::string_view item, bool quoted) {
    if (!first) line += ',';
    if (quoted) line += '"';
    line += item;
    if (quoted) line += '"';
}

}  // namespace

RecordGrid::RecordGrid()
    : headerCanvas_(&nullCanvas()),
      dataCanvas_(&nullCanvas()),
      container_(&nullCanvas()),
      hBar_(&nullCanvas()),
      vBar_(&nullCanvas()) {}

RecordGrid::~RecordGrid() {
    clearAll();
}

std::unique_lock<std::recursive_mutex> RecordGrid::lock() const {
    return std::unique_lock<std::recursive_mutex>(mutex_);
}

bool RecordGrid::validRow(int row) const {
    return row >= 1 && static_cast<size_t>(row) <= rows_.size();
}

bool RecordGrid::validColumn(int column) const {
    return column >= 1 && static_cast<size_t>(column) <= columns_.size();
}

void RecordGrid::clearAll() {
    std::lock_guard lock(mutex_);
    selection_.clear();
    clearRows(true);
    clearColumns(true);
}

// Selection.

void RecordGrid::selectOnly(int row) {
    std::lock_guard lock(mutex_);
    selection_.clear();
    selection_.add(row);
}

void RecordGrid::selectRow(int row, bool clearFirst) {
    std::lock_guard lock(mutex_);
    if (clearFirst) selection_.clear();
    if (validRow(row)) selection_.add(row);
}

void RecordGrid::selectAll() {
    std::lock_guard lock(mutex_);
    selection_.setRange(1, rowCount());
    scrollRows();
}

int RecordGrid::copySelection(std::vector<int>& out) const {
    std::lock_guard lock(mutex_);
    out = selection_.numbers();
    return selection_.size();
}

int RecordGrid::firstSelectedRow() const {
    std::lock_guard lock(mutex_);
    return selection_.empty() ? -1 : selection_.numbers().front();
}

// Rows.

int RecordGrid::rowCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(rows_.size());
}

GridRow RecordGrid::rowRecord(int row) const {
    std::lock_guard lock(mutex_);
    return validRow(row) ? rows_.row(row - 1) : GridRow{};
}

std::string RecordGrid::cellText(int row, int column) const {
    std::lock_guard lock(mutex_);
    return std::string(cellView(row, column));
}

std::string_view RecordGrid::cellView(int row, int column) const {
    std::lock_guard lock(mutex_);
    if (!validRow(row) || column < 1) return {};
    return rows_.cell(row - 1, column - 1);
}

void RecordGrid::setCellText(int row, int column, const std::string& text, bool noRedraw) {
    std::lock_guard lock(mutex_);
    if (!validRow(row) || column < 1) return;
    rows_.setCell(row - 1, column - 1, text);
    if (!noRedraw) scrollRows();
}

void RecordGrid::fitRowToColumns(size_t pos) {
    rows_.fitCells(pos, columns_.size());
}

void RecordGrid::setRow(int row, const std::optional<std::vector<std::string>>& cells,
                        std::optional<int32_t> bookmark, bool padToColumns, bool noRedraw) {
    std::lock_guard lock(mutex_);
    if (!validRow(row)) return;
    if (cells) rows_.setCells(row - 1, *cells);
    if (bookmark) rows_.setBookmark(row - 1, *bookmark);
    if (padToColumns) fitRowToColumns(row - 1);
    if (!noRedraw) scrollRows();
}

void RecordGrid::setRows(const std::vector<GridRow>& rows, bool noRedraw) {
    std::lock_guard lock(mutex_);
    rows_.assign(rows);
    if (!noRedraw) scrollRows(0);
}

void RecordGrid::addRow(const std::vector<std::string>& cells, int32_t bookmark, bool padToColumns,
                        bool noRedraw, bool scrollToEnd) {
    std::lock_guard lock(mutex_);
    insertRow(static_cast<int>(rows_.size()) + 1, cells, bookmark, padToColumns, noRedraw,
              scrollToEnd);
}

void RecordGrid::addRowViews(const std::vector<std::string_view>& cells, int32_t bookmark,
                             bool padToColumns, bool noRedraw) {
    std::lock_guard lock(mutex_);
    rows_.insert(rows_.size(), cells, padToColumns ? columns_.size() : cells.size(), bookmark);
    if (!noRedraw) scrollRows();
}

void RecordGrid::insertRow(int position, const std::vector<std::string>& cells, int32_t bookmark,
                           bool padToColumns, bool noRedraw, bool scrollToEnd) {
    std::lock_guard lock(mutex_);
    if (position < 1 || static_cast<size_t>(position) > rows_.size() + 1) return;
    rows_.insert(position - 1, cells, padToColumns ? columns_.size() : cells.size(), bookmark);
    if (noRedraw) return;
    if (scrollToEnd) {
        this->scrollToEnd();
    } else {
        scrollRows();
    }
}

void RecordGrid::removeRow(int row, bool noRedraw) {
    std::lock_guard lock(mutex_);
    if (!validRow(row)) return;
    rows_.erase(row - 1);
    selection_.remove(row);
    if (!noRedraw) scrollRows();
}

void RecordGrid::clearRows(bool noRedraw) {
    std::lock_guard lock(mutex_);
    rows_.clear();
    selection_.clear();
    topRow_ = 0;
    if (!noRedraw) scrollRows(0);
}

void RecordGrid::reorderRows(const std::vector<int>& order) {
    std::lock_guard lock(mutex_);
    if (order.size() != rows_.size()) return;
    std::vector<size_t> positions;
    positions.reserve(order.size());
    std::vector<bool> seen(order.size());
    for (int row : order) {
        if (!validRow(row) || seen[row - 1]) return;  // not a permutation: keep the order
        seen[row - 1] = true;
        positions.push_back(static_cast<size_t>(row - 1));
    }
    rows_.reorder(positions);
    selection_.clear();
}

// Columns.

int RecordGrid::columnCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(columns_.size());
}

void RecordGrid::reshapeCells(int column, bool remove) {
    std::lock_guard lock(mutex_);
    for (size_t pos = 0; pos < rows_.size(); ++pos) {
        if (column < 1) {
            fitRowToColumns(pos);
        } else if (remove) {
            rows_.removeCell(pos, column - 1);
        } else {
            rows_.insertEmptyCell(pos, column - 1);
        }
    }
}

void RecordGrid::setColumns(const std::vector<GridColumn>& columns, bool noRelayout) {
    std::lock_guard lock(mutex_);
    columns_ = columns;
    reshapeCells(0, false);
    if (!noRelayout) scrollColumns(std::nullopt, 0);
}

void RecordGrid::addColumn(const std::string& title, std::optional<int> width, bool noRelayout,
                           bool noReshape) {
    std::lock_guard lock(mutex_);
    columns_.push_back({width.value_or(GridColumn::kDefaultWidth), title});
    if (!noReshape) reshapeCells(0, false);
    if (!noRelayout) scrollColumns(columnCount());
}

void RecordGrid::insertColumn(int position, const std::string& title, std::optional<int> width,
                              bool noRelayout) {
    std::lock_guard lock(mutex_);
    if (position < 1 || position > columnCount() + 1) return;
    columns_.insert(columns_.begin() + (position - 1),
                    {width.value_or(GridColumn::kDefaultWidth), title});
    reshapeCells(position, false);
    if (!noRelayout) scrollColumns(position);
}

void RecordGrid::removeColumn(int column, bool noRelayout) {
    std::lock_guard lock(mutex_);
    if (!validColumn(column)) return;
    columns_.erase(columns_.begin() + (column - 1));
    reshapeCells(column, true);
    if (!noRelayout) scrollColumns(column);
}

void RecordGrid::clearColumns(bool noRelayout) {
    std::lock_guard lock(mutex_);
    columns_.clear();
    reshapeCells(0, false);
    leftColumn_ = 0;
    if (!noRelayout) scrollColumns(std::nullopt, 0);
}

std::string RecordGrid::columnTitle(int column) const {
    std::lock_guard lock(mutex_);
    return validColumn(column) ? columns_[column - 1].title : std::string();
}

void RecordGrid::setColumnTitle(int column, const std::string& title, bool noRedraw, int style) {
    std::lock_guard lock(mutex_);
    if (!validColumn(column)) return;
    columns_[column - 1].title = title;
    if (!noRedraw) drawHeader(column, style, false);
}

int RecordGrid::columnWidth(int column) const {
    std::lock_guard lock(mutex_);
    return validColumn(column) ? columns_[column - 1].width : 0;
}

void RecordGrid::setColumnWidth(int column, int width, bool noRelayout) {
    std::lock_guard lock(mutex_);
    if (!validColumn(column)) return;
    columns_[column - 1].width = width;
    if (!noRelayout) scrollColumns(column);
}

// Lines of text.

std::string RecordGrid::displayLine(int row, bool quoted) const {
    std::lock_guard lock(mutex_);
    std::string line;
    for (int c = 1; c <= columnCount(); ++c) {
        std::string_view item =
            row == 0 ? std::string_view(columns_[c - 1].title) : cellView(row, c);
        appendItem(line, c == 1, item, quoted);
    }
    return line;
}

std::string RecordGrid::exportLine(int row, bool quoted) const {
    // The stored values are read without the grid's lock: a worker may hold the table's lock
    // while it writes into the grid.
    std::vector<int32_t> types;
    GridRow record;
    {
        std::lock_guard lock(mutex_);
        record = rowRecord(row);
        for (int c = 1; c <= columnCount(); ++c) {
            types.push_back(fields_ ? fields_->fieldType(c) : 0);
        }
    }
    std::string line;
    for (size_t c = 1; c <= types.size(); ++c) {
        std::string item = isLinkType(types[c - 1])
                               ? fields_->storedValue(record.bookmark, static_cast<int>(c))
                           : c <= record.cells.size() ? record.cells[c - 1]
                                                      : std::string();
        appendItem(line, c == 1, item, quoted);
    }
    return line;
}

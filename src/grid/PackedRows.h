#pragma once
// The grid's rows, each kept as one heap block: the bookmark, the cell count and the cell lengths
// as variable-length integers, then the cell bytes. A million rows of a dozen short cells thus cost
// little more than their texts; callers get copies (GridRow) or views valid until the next change.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grid/GridRow.h"

class PackedRows {
  public:
    size_t size() const { return rows_.size(); }
    void clear() { rows_.clear(); }
    void reserve(size_t n) { rows_.reserve(n); }

    // Row positions are 0-based here. pos may equal size() (append).
    void insert(size_t pos, const std::vector<std::string>& cells, int32_t bookmark);
    void erase(size_t pos);
    void assign(const std::vector<GridRow>& rows);

    GridRow row(size_t pos) const;
    int32_t bookmark(size_t pos) const;
    size_t cellCount(size_t pos) const;
    // The cell's text, empty when the row has no such cell; valid until the row changes.
    std::string_view cell(size_t pos, size_t index) const;
    size_t cellLength(size_t pos, size_t index) const;

    void setBookmark(size_t pos, int32_t bookmark);
    void setCells(size_t pos, const std::vector<std::string>& cells);
    // Writes into an existing cell; nothing when the row has no such cell.
    void setCell(size_t pos, size_t index, std::string_view text);
    // Cuts the row's cells, or pads them with empty texts, to count.
    void fitCells(size_t pos, size_t count);
    // Inserts an empty cell before index (index may equal the cell count); nothing beyond that.
    void insertEmptyCell(size_t pos, size_t index);
    void removeCell(size_t pos, size_t index);

    // New order: position i receives the row that was at order[i] (a permutation of 0 … size-1).
    void reorder(const std::vector<size_t>& order);

  private:
    using Block = std::unique_ptr<char[]>;
    static Block encode(int32_t bookmark, const std::vector<std::string_view>& cells);
    std::vector<std::string_view> views(size_t pos) const;
    void rebuild(size_t pos, const std::vector<std::string_view>& cells);

    std::vector<Block> rows_;
};

#pragma once
// The grid's rows, each kept as one block: the bookmark, the cell count and the cell lengths as
// variable-length integers, then the cell bytes. The blocks lie one after another in large chunks,
// so a million rows of a dozen short cells cost little more than their texts and a load makes no
// heap block per row. A changed row gets a new block; the space of replaced and erased blocks is
// won back once it outweighs the rows still kept. Callers get copies (GridRow) or views valid
// until the next change.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grid/GridRow.h"

class PackedRows {
  public:
    size_t size() const { return rows_.size(); }
    void clear();
    void reserve(size_t n) { rows_.reserve(n); }

    // Row positions are 0-based here. pos may equal size() (append).
    void insert(size_t pos, const std::vector<std::string>& cells, int32_t bookmark);
    // As above, with the cells cut, or padded with empty texts, to count.
    void insert(size_t pos, const std::vector<std::string>& cells, size_t count, int32_t bookmark);
    void insert(size_t pos, const std::vector<std::string_view>& cells, size_t count,
                int32_t bookmark);
    void erase(size_t pos);
    void assign(const std::vector<GridRow>& rows);

    GridRow row(size_t pos) const;
    int32_t bookmark(size_t pos) const;
    size_t cellCount(size_t pos) const;
    // The cell's text, empty when the row has no such cell; valid until the next change.
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
    template <class CellAt>
    char* encode(int32_t bookmark, size_t count, CellAt cellAt);
    template <class Cells>
    void insertCells(size_t pos, const Cells& cells, size_t count, int32_t bookmark);
    char* allocate(size_t bytes);
    void release(const char* block);
    void compact();
    std::vector<std::string_view> views(size_t pos) const;
    void rebuild(size_t pos, const std::vector<std::string_view>& cells);

    std::vector<char*> rows_;
    struct FreeChunk {
        void operator()(char* chunk) const { std::free(chunk); }
    };
    using Chunk = std::unique_ptr<char, FreeChunk>;
    std::vector<Chunk> chunks_;
    size_t chunkBytes_ = 0;  // the size of the newest chunk of many blocks
    char* free_ = nullptr;   // the unused end of the newest chunk
    size_t freeBytes_ = 0;
    size_t liveBytes_ = 0;  // bytes of the blocks rows_ points at
    size_t deadBytes_ = 0;  // bytes of replaced and erased blocks still in the chunks
};

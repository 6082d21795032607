#include "grid/PackedRows.h"

#include <cstring>

namespace {

void putVarint(char*& out, uint64_t value) {
    while (value >= 0x80) {
        *out++ = static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    *out++ = static_cast<char>(value);
}

uint64_t getVarint(const char*& in) {
    uint64_t value = 0;
    for (int shift = 0;; shift += 7) {
        auto byte = static_cast<unsigned char>(*in++);
        value |= static_cast<uint64_t>(byte & 0x7F) << shift;
        if (byte < 0x80) return value;
    }
}

size_t varintSize(uint64_t value) {
    size_t n = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++n;
    }
    return n;
}

// Reads a block's header: after it, lengths points at the first cell length, data at the first
// cell byte.
struct BlockHeader {
    explicit BlockHeader(const char* block) {
        std::memcpy(&bookmark, block, sizeof bookmark);
        lengths = block + sizeof bookmark;
        count = getVarint(lengths);
        data = lengths;
        for (uint64_t i = 0; i < count; ++i) getVarint(data);
    }
    int32_t bookmark;
    uint64_t count;
    const char* lengths;
    const char* data;
};

}  // namespace

PackedRows::Block PackedRows::encode(int32_t bookmark, const std::vector<std::string_view>& cells) {
    size_t bytes = sizeof bookmark + varintSize(cells.size());
    for (auto cell : cells) bytes += varintSize(cell.size()) + cell.size();
    Block block(new char[bytes]);
    char* out = block.get();
    std::memcpy(out, &bookmark, sizeof bookmark);
    out += sizeof bookmark;
    putVarint(out, cells.size());
    for (auto cell : cells) putVarint(out, cell.size());
    for (auto cell : cells) {
        if (cell.empty()) continue;  // an empty view may hold no pointer at all
        std::memcpy(out, cell.data(), cell.size());
        out += cell.size();
    }
    return block;
}

std::vector<std::string_view> PackedRows::views(size_t pos) const {
    BlockHeader header(rows_[pos].get());
    std::vector<std::string_view> cells;
    cells.reserve(header.count);
    const char* lengths = header.lengths;
    const char* data = header.data;
    for (uint64_t i = 0; i < header.count; ++i) {
        size_t length = getVarint(lengths);
        cells.emplace_back(data, length);
        data += length;
    }
    return cells;
}

void PackedRows::rebuild(size_t pos, const std::vector<std::string_view>& cells) {
    // The new block is built before the old one, which the views point into, is released.
    rows_[pos] = encode(bookmark(pos), cells);
}

void PackedRows::insert(size_t pos, const std::vector<std::string>& cells, int32_t bookmark) {
    std::vector<std::string_view> views(cells.begin(), cells.end());
    rows_.insert(rows_.begin() + static_cast<ptrdiff_t>(pos), encode(bookmark, views));
}

void PackedRows::erase(size_t pos) {
    rows_.erase(rows_.begin() + static_cast<ptrdiff_t>(pos));
}

void PackedRows::assign(const std::vector<GridRow>& rows) {
    std::vector<Block> blocks;
    blocks.reserve(rows.size());
    for (const auto& row : rows) {
        std::vector<std::string_view> views(row.cells.begin(), row.cells.end());
        blocks.push_back(encode(row.bookmark, views));
    }
    rows_ = std::move(blocks);
}

GridRow PackedRows::row(size_t pos) const {
    GridRow row;
    row.bookmark = bookmark(pos);
    for (auto cell : views(pos)) row.cells.emplace_back(cell);
    return row;
}

int32_t PackedRows::bookmark(size_t pos) const {
    int32_t value;
    std::memcpy(&value, rows_[pos].get(), sizeof value);
    return value;
}

size_t PackedRows::cellCount(size_t pos) const {
    const char* in = rows_[pos].get() + sizeof(int32_t);
    return getVarint(in);
}

std::string_view PackedRows::cell(size_t pos, size_t index) const {
    BlockHeader header(rows_[pos].get());
    if (index >= header.count) return {};
    const char* lengths = header.lengths;
    const char* data = header.data;
    for (size_t i = 0; i < index; ++i) data += getVarint(lengths);
    return {data, getVarint(lengths)};
}

size_t PackedRows::cellLength(size_t pos, size_t index) const {
    const char* lengths = rows_[pos].get() + sizeof(int32_t);
    uint64_t count = getVarint(lengths);
    if (index >= count) return 0;
    for (size_t i = 0; i < index; ++i) getVarint(lengths);
    return getVarint(lengths);
}

void PackedRows::setBookmark(size_t pos, int32_t bookmark) {
    std::memcpy(rows_[pos].get(), &bookmark, sizeof bookmark);
}

void PackedRows::setCells(size_t pos, const std::vector<std::string>& cells) {
    rebuild(pos, std::vector<std::string_view>(cells.begin(), cells.end()));
}

void PackedRows::setCell(size_t pos, size_t index, std::string_view text) {
    auto cells = views(pos);
    if (index >= cells.size()) return;
    // text may point into this very row; encode copies it before the old block goes.
    cells[index] = text;
    rebuild(pos, cells);
}

void PackedRows::fitCells(size_t pos, size_t count) {
    auto cells = views(pos);
    if (cells.size() == count) return;
    cells.resize(count);
    rebuild(pos, cells);
}

void PackedRows::insertEmptyCell(size_t pos, size_t index) {
    auto cells = views(pos);
    if (index > cells.size()) return;
    cells.insert(cells.begin() + static_cast<ptrdiff_t>(index), std::string_view());
    rebuild(pos, cells);
}

void PackedRows::removeCell(size_t pos, size_t index) {
    auto cells = views(pos);
    if (index >= cells.size()) return;
    cells.erase(cells.begin() + static_cast<ptrdiff_t>(index));
    rebuild(pos, cells);
}

void PackedRows::reorder(const std::vector<size_t>& order) {
    std::vector<Block> blocks;
    blocks.reserve(rows_.size());
    for (size_t from : order) blocks.push_back(std::move(rows_[from]));
    rows_ = std::move(blocks);
}

#include "grid/PackedRows.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

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

// The bytes of a whole block.
size_t blockSize(const char* block) {
    BlockHeader header(block);
    const char* lengths = header.lengths;
    size_t bytes = static_cast<size_t>(header.data - block);
    for (uint64_t i = 0; i < header.count; ++i) bytes += getVarint(lengths);
    return bytes;
}

// Chunks start small, for the many short lists, and double up to the size of a huge page, which the
// kernel may then map with one fault instead of five hundred.
constexpr size_t kFirstChunkBytes = size_t{64} << 10;
constexpr size_t kLastChunkBytes = size_t{2} << 20;
constexpr size_t kLargeBlock = kFirstChunkBytes / 4;
constexpr size_t kWasteWorthCompacting = kLastChunkBytes;

char* chunkMemory(size_t bytes) {
    if (bytes < kLastChunkBytes) return static_cast<char*>(std::malloc(bytes));
    void* memory = std::aligned_alloc(kLastChunkBytes, bytes);
    if (memory) madvise(memory, bytes, MADV_HUGEPAGE);
    return static_cast<char*>(memory);
}

}  // namespace

template <class CellAt>
char* PackedRows::encode(int32_t bookmark, size_t count, CellAt cellAt) {
    size_t bytes = sizeof bookmark + varintSize(count);
    for (size_t i = 0; i < count; ++i) {
        size_t length = cellAt(i).size();
        bytes += varintSize(length) + length;
    }
    char* block = allocate(bytes);
    char* out = block;
    std::memcpy(out, &bookmark, sizeof bookmark);
    out += sizeof bookmark;
    putVarint(out, count);
    for (size_t i = 0; i < count; ++i) putVarint(out, cellAt(i).size());
    for (size_t i = 0; i < count; ++i) {
        std::string_view cell = cellAt(i);
        if (cell.empty()) continue;  // an empty view may hold no pointer at all
        std::memcpy(out, cell.data(), cell.size());
        out += cell.size();
    }
    liveBytes_ += bytes;
    return block;
}

char* PackedRows::allocate(size_t bytes) {
    if (bytes > kLargeBlock) {
        // A chunk of its own, so that the newest chunk's free end stays in use.
        chunks_.emplace_back(static_cast<char*>(std::malloc(bytes)));
        if (!chunks_.back()) throw std::bad_alloc();
        return chunks_.back().get();
    }
    if (bytes > freeBytes_) {
        chunkBytes_ =
            chunkBytes_ == 0 ? kFirstChunkBytes : std::min(chunkBytes_ * 2, kLastChunkBytes);
        chunks_.emplace_back(chunkMemory(chunkBytes_));
        if (!chunks_.back()) throw std::bad_alloc();
        free_ = chunks_.back().get();
        freeBytes_ = chunkBytes_;
    }
    char* block = free_;
    free_ += bytes;
    freeBytes_ -= bytes;
    return block;
}

void PackedRows::release(const char* block) {
    size_t bytes = blockSize(block);
    liveBytes_ -= bytes;
    deadBytes_ += bytes;
    if (deadBytes_ > liveBytes_ && deadBytes_ > kWasteWorthCompacting) compact();
}

void PackedRows::compact() {
    std::vector<Chunk> old;
    old.swap(chunks_);
    chunkBytes_ = 0;
    free_ = nullptr;
    freeBytes_ = 0;
    liveBytes_ = 0;
    deadBytes_ = 0;
    for (char*& block : rows_) {
        size_t bytes = blockSize(block);
        char* moved = allocate(bytes);
        std::memcpy(moved, block, bytes);
        liveBytes_ += bytes;
        block = moved;
    }
}

void PackedRows::clear() {
    rows_ = {};
    chunks_.clear();
    chunkBytes_ = 0;
    free_ = nullptr;
    freeBytes_ = 0;
    liveBytes_ = 0;
    deadBytes_ = 0;
}

std::vector<std::string_view> PackedRows::views(size_t pos) const {
    BlockHeader header(rows_[pos]);
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
    // The new block is written before the old one, which the views point into, is given up.
    char* old = rows_[pos];
    rows_[pos] = encode(bookmark(pos), cells.size(), [&](size_t i) { return cells[i]; });
    release(old);
}

void PackedRows::insert(size_t pos, const std::vector<std::string>& cells, int32_t bookmark) {
    insert(pos, cells, cells.size(), bookmark);
}

template <class Cells>
void PackedRows::insertCells(size_t pos, const Cells& cells, size_t count, int32_t bookmark) {
    char* block = encode(bookmark, count, [&](size_t i) {
        return i < cells.size() ? std::string_view(cells[i]) : std::string_view();
    });
    rows_.insert(rows_.begin() + static_cast<ptrdiff_t>(pos), block);
}

void PackedRows::insert(size_t pos, const std::vector<std::string>& cells, size_t count,
                        int32_t bookmark) {
    insertCells(pos, cells, count, bookmark);
}

void PackedRows::insert(size_t pos, const std::vector<std::string_view>& cells, size_t count,
                        int32_t bookmark) {
    insertCells(pos, cells, count, bookmark);
}

void PackedRows::erase(size_t pos) {
    const char* block = rows_[pos];
    rows_.erase(rows_.begin() + static_cast<ptrdiff_t>(pos));
    release(block);
}

void PackedRows::assign(const std::vector<GridRow>& rows) {
    clear();
    rows_.reserve(rows.size());
    for (const auto& row : rows) insert(rows_.size(), row.cells, row.bookmark);
}

GridRow PackedRows::row(size_t pos) const {
    GridRow row;
    row.bookmark = bookmark(pos);
    for (auto cell : views(pos)) row.cells.emplace_back(cell);
    return row;
}

int32_t PackedRows::bookmark(size_t pos) const {
    int32_t value;
    std::memcpy(&value, rows_[pos], sizeof value);
    return value;
}

size_t PackedRows::cellCount(size_t pos) const {
    const char* in = rows_[pos] + sizeof(int32_t);
    return getVarint(in);
}

std::string_view PackedRows::cell(size_t pos, size_t index) const {
    BlockHeader header(rows_[pos]);
    if (index >= header.count) return {};
    const char* lengths = header.lengths;
    const char* data = header.data;
    for (size_t i = 0; i < index; ++i) data += getVarint(lengths);
    return {data, getVarint(lengths)};
}

size_t PackedRows::cellLength(size_t pos, size_t index) const {
    const char* lengths = rows_[pos] + sizeof(int32_t);
    uint64_t count = getVarint(lengths);
    if (index >= count) return 0;
    for (size_t i = 0; i < index; ++i) getVarint(lengths);
    return getVarint(lengths);
}

void PackedRows::setBookmark(size_t pos, int32_t bookmark) {
    std::memcpy(rows_[pos], &bookmark, sizeof bookmark);
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
    if (cellCount(pos) == count) return;
    auto cells = views(pos);
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
    std::vector<char*> blocks;
    blocks.reserve(rows_.size());
    for (size_t from : order) blocks.push_back(rows_[from]);
    rows_ = std::move(blocks);
}

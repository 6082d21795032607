// Binding, geometry, scrolling and column widths.
#include <algorithm>

#include "grid/GridArithmetic.h"
#include "grid/GridColours.h"
#include "grid/GridPaintBatch.h"
#include "grid/NullCanvas.h"
#include "grid/RecordGrid.h"
#include "platform/TextCodec.h"

namespace {
constexpr int kDefaultRowHeight = 30;
constexpr int kIconHeight =
    24;  // rows are tall enough for a row image, which the program never adds
constexpr int kDefaultFontSize = 11;
constexpr int kTitleBytePixels = 8;
const Rgb kBarPen = GridColours::kOutline;
const Rgb kBlack = GridColours::kText;
}  // namespace

void RecordGrid::attach(const GridCanvases& canvases, TooltipHost* tooltipHost,
                        GridListFields* fields, const GridAttachOptions& options) {
    std::lock_guard lock(mutex_);
    headerCanvas_ = canvases.header;
    dataCanvas_ = canvases.data;
    container_ = canvases.container;
    hBar_ = canvases.hBar;
    vBar_ = canvases.vBar;
    fields_ = fields;
    selectionMode_ = options.selectionMode;
    PaintBatch batch(*this);
    // The bars come last so that they lie over the data canvas.
    for (Canvas* child : {headerCanvas_, dataCanvas_, hBar_, vBar_}) child->setParent(*container_);
    tooltip_.create(tooltipHost, true, false);
    for (Canvas* bar : {hBar_, vBar_}) {
        bar->setPen(kBarPen);
        bar->setPenWidth(1);
    }
    rowHeight_ = options.rowHeight > 0 ? options.rowHeight : kDefaultRowHeight;
    hBar_->setGeometry(hBar_->left(), hBar_->top(), hBar_->width(), kBarThickness);
    vBar_->setGeometry(vBar_->left(), vBar_->top(), kBarThickness, vBar_->height());
    headerCanvas_->setGeometry(headerCanvas_->left(), headerCanvas_->top(), headerCanvas_->width(),
                               kHeaderHeight);
    headerCanvas_->setFont(GBK("宋体"), kDefaultFontSize, false);
    headerCanvas_->setTextColour(kBlack);
    dataFontName_ = options.dataFontName.empty() ? GBK("宋体") : options.dataFontName;
    dataFontSize_ = options.dataFontSize > 0 ? options.dataFontSize : kDefaultFontSize;
    rowHeight_ = std::max(rowHeight_, kIconHeight + 4);
    glyphWidth_ = measureGlyphWidth(dataFontName_, dataFontSize_, false);
    glyphHeight_ = measureGlyphHeight(dataFontName_, dataFontSize_, false);
    rowHeight_ = std::max(rowHeight_, glyphWidth_ + 4);
}

void RecordGrid::detach() {
    std::lock_guard lock(mutex_);
    tooltip_.destroyWindow();
    headerCanvas_ = dataCanvas_ = container_ = hBar_ = vBar_ = &nullCanvas();
    fields_ = nullptr;
}

int RecordGrid::measureGlyphWidth(const std::string& fontName, int pointSize, bool bold) {
    PaintBatch batch(*this);
    dataCanvas_->setFont(fontName, pointSize, bold);
    return dataCanvas_->textWidth(GBK("中"));
}

int RecordGrid::measureGlyphHeight(const std::string& fontName, int pointSize, bool bold) {
    PaintBatch batch(*this);
    dataCanvas_->setFont(fontName, pointSize, bold);
    return dataCanvas_->textHeight(GBK("中"));
}

int RecordGrid::containerLeft() const {
    return container_->left();
}
int RecordGrid::containerTop() const {
    return container_->top();
}
int RecordGrid::containerWidth() const {
    return container_->width();
}
int RecordGrid::containerHeight() const {
    return container_->height();
}

void RecordGrid::setBounds(std::optional<int> left, std::optional<int> top,
                           std::optional<int> width, std::optional<int> height) {
    PaintBatch batch(*this);
    container_->setGeometry(left.value_or(container_->left()), top.value_or(container_->top()),
                            width.value_or(container_->width()),
                            height.value_or(container_->height()));
    prepareCanvases();
    topRow_ = std::max(0, std::min(topRow_, rowCount() - visibleRowCount()));
    leftColumn_ = std::max(0, std::min(leftColumn_, columnCount() - visibleColumnCount()));
    drawHeader(0, kHeaderNormal, false);
    drawRows(0);
    drawColumnLines(0);
    updateBars(true);
}

void RecordGrid::scrollRows(std::optional<int> topRow, int hotPart, int delta) {
    PaintBatch batch(*this);
    if (topRow) topRow_ = *topRow;
    topRow_ += delta;
    if (topRow_ < 0) {
        topRow_ = 0;
    } else if (topRow_ > rowCount() - visibleRowCount()) {
        topRow_ = std::max(0, rowCount() - visibleRowCount());
    }
    drawRows(0);
    drawVBar(hotPart);
}

void RecordGrid::scrollColumns(std::optional<int> fromColumn, std::optional<int> leftColumn,
                               int hotPart, int delta, bool hover) {
    PaintBatch batch(*this);
    const int visible = visibleColumnCount();
    if (leftColumn) leftColumn_ = *leftColumn;
    leftColumn_ += delta;
    if (leftColumn_ < 0) {
        leftColumn_ = 0;
    } else if (leftColumn_ > columnCount() - visible) {
        leftColumn_ = columnCount() - visible;
        // One more, so that the last column can be seen entirely.
        if (columnRight(columnCount()) > dataWidth()) ++leftColumn_;
        leftColumn_ = std::max(0, leftColumn_);
    }
    const int from = fromColumn.value_or(leftColumn_ + 1);
    drawHeader(from, hover ? kHeaderHover : kHeaderNormal, true);
    drawRows(from);
    drawColumnLines(from);
    drawHBar(hotPart);
}

void RecordGrid::scrollRowToBottom(int row) {
    std::lock_guard lock(mutex_);
    scrollRows(row - visibleRowCount());
}

void RecordGrid::scrollToEnd() {
    std::lock_guard lock(mutex_);
    scrollRows(rowCount());
}

void RecordGrid::scrollToStart() {
    scrollRows(0);
}

void RecordGrid::wheel(int notches) {
    scrollRows(std::nullopt, 0, -2 * notches);
}

void RecordGrid::setLeftColumnValue(int value) {
    std::lock_guard lock(mutex_);
    leftColumn_ = value;
}

int RecordGrid::leftColumnValue() const {
    std::lock_guard lock(mutex_);
    return leftColumn_;
}

void RecordGrid::setTopRowValue(int value) {
    std::lock_guard lock(mutex_);
    topRow_ = value;
}

int RecordGrid::topRowValue() const {
    std::lock_guard lock(mutex_);
    return topRow_;
}

// Geometry.

int RecordGrid::dataWidth() const {
    return dataCanvas_->width();
}
int RecordGrid::dataHeight() const {
    return dataCanvas_->height();
}
int RecordGrid::rowHeight() const {
    return rowHeight_;
}
int RecordGrid::headerHeight() const {
    return headerCanvas_->height();
}
int RecordGrid::glyphWidth() const {
    return glyphWidth_;
}
int RecordGrid::glyphHeight() const {
    return glyphHeight_;
}

int RecordGrid::visibleRowCount() const {
    std::lock_guard lock(mutex_);
    int height = dataHeight() - (hBarShown_ ? kBarThickness : 0);
    return truncated(static_cast<double>(height) / rowHeight_);
}

int RecordGrid::visibleColumnCount() const {
    std::lock_guard lock(mutex_);
    const int headerWidth = headerCanvas_->width();
    int64_t sum = 0;
    int count = 0;
    for (size_t c = std::max(leftColumn_, 0) + 1; c <= columns_.size(); ++c) {
        ++count;
        sum += columns_[c - 1].width;
        if (sum >= headerWidth) break;
    }
    return count;
}

int RecordGrid::columnLeft(int column) const {
    std::lock_guard lock(mutex_);
    int64_t sum = 0;
    const int last = std::min<int>(column - 1, columnCount());
    for (int c = std::max(leftColumn_, 0) + 1; c <= last; ++c) sum += columns_[c - 1].width;
    return static_cast<int32_t>(static_cast<uint32_t>(sum));
}

int RecordGrid::columnRight(int column) const {
    std::lock_guard lock(mutex_);
    if (!validColumn(column)) return 0;
    if (column <= leftColumn_) return columns_[column - 1].width;
    return columnLeft(column) + columns_[column - 1].width;
}

int RecordGrid::columnAt(int x) const {
    std::lock_guard lock(mutex_);
    // Each column answers for a band shifted 3 pixels right, so that the resize zone of its right
    // border belongs to it. Columns scrolled off to the left are never hit.
    const int firstVisible = std::max(leftColumn_, 0) + 1;
    for (int c = columnCount(); c >= firstVisible; --c) {
        const int left = columnLeft(c);
        const int start = left + (c == firstVisible ? 0 : 3);
        if (start <= x && x < left + columns_[c - 1].width + 3) return c;
    }
    return 0;
}

int RecordGrid::rowAt(int y) const {
    std::lock_guard lock(mutex_);
    if (y < 1 || y > dataHeight() - 1) return 0;
    const int row = truncated(static_cast<double>(y) / rowHeight_) + topRow_ + 1;
    return row < 1 || row > rowCount() ? 0 : row;
}

// Column widths.

int RecordGrid::autoFitColumns(int source, int column, bool noRelayout, bool measureOnly,
                               int maxWidth) {
    std::lock_guard lock(mutex_);
    const int first = column == 0 ? 1 : column;
    const int last = column == 0 ? columnCount() : column;
    for (int c = std::max(first, 1); c <= std::min(last, columnCount()); ++c) {
        int width = 0;
        if (source != 2) {
            width = std::max(
                width, static_cast<int>(columns_[c - 1].title.size()) * kTitleBytePixels + 10);
        }
        if (source != 1) {
            const double pixelsPerByte = glyphWidth_ / 2.0 + 1;
            for (size_t pos = 0; pos < rows_.size(); ++pos) {
                const size_t bytes = rows_.cellLength(pos, c - 1);
                width = std::max(width, truncated(bytes * pixelsPerByte + 10));
            }
        }
        if (column != 0 && measureOnly) return width;
        if (maxWidth > 0 && width > maxWidth) width = maxWidth;
        setColumnWidth(c, width, true);
    }
    if (!noRelayout) scrollColumns();
    return 0;
}

// What the grid paints on its canvases, where and in which colours.
#include <algorithm>

#include "forms/FieldModel.h"
#include "grid/GridArithmetic.h"
#include "grid/GridColours.h"
#include "grid/GridPaintBatch.h"
#include "grid/RecordGrid.h"
#include "platform/GbkText.h"

namespace {

constexpr int kTextInset = 5;
constexpr int kMinThumbLength = 15;
constexpr int kThumbRadius = 5;
constexpr int kMaxShownCharacters = 500;
constexpr int kTitleBytePixels = 8;

Rgb headerFill(int style) {
    switch (style) {
        case kHeaderHover:
            return GridColours::kHover;
        case kHeaderPressed:
            return GridColours::kPressed;
        default:
            return GridColours::kHeader;
    }
}

Rgb barFill(int part, int hotPart) {
    return part == hotPart ? GridColours::kPressed : GridColours::kHover;
}

bool isLinkType(int32_t type) {
    return type == FieldType::Link || type == FieldType::FtpLink || type == FieldType::QqLink;
}

}  // namespace

void RecordGrid::prepareCanvases() {
    PaintBatch batch(*this);
    hBar_->setBackground(GridColours::kBarBackground);
    vBar_->setBackground(GridColours::kBarBackground);
    dataCanvas_->setBackground(GridColours::kWhite);
    const int width = container_->width();
    const int headerHeight = headerCanvas_->height();
    headerCanvas_->setGeometry(0, 0, width, headerHeight);
    dataCanvas_->setGeometry(0, headerHeight - 1, width, container_->height() - headerHeight + 1);
    dataCanvas_->setPenWidth(1);
    dataCanvas_->setFill(GridColours::kWhite);
    dataCanvas_->setPen(GridColours::kOutline);
    dataCanvas_->drawRect(0, 0, dataWidth(), dataHeight());
}

int RecordGrid::drawHeader(int column, int style, bool andFollowing) {
    PaintBatch batch(*this);
    Canvas& header = *headerCanvas_;
    const int headerWidth = header.width();
    header.setPenWidth(1);
    header.setFill(headerFill(style));
    header.setPen(GridColours::kOutline);
    if (column == 0) header.drawRect(0, 0, headerWidth, header.height());
    for (int c = std::max(leftColumn_, 0) + 1; c <= columnCount(); ++c) {
        if (!(column == 0 || c == column || (andFollowing && c >= column))) continue;
        const int left = columnLeft(c);
        // Columns beyond the right edge cannot be seen.
        if (left >= headerWidth) break;
        if (andFollowing && c > column) header.setFill(GridColours::kHeader);
        header.drawRect(left, 0, std::min(left + columns_[c - 1].width + 1, headerWidth),
                        header.height());
        drawHeaderTitle(c);
    }
    return columnCount();
}

void RecordGrid::drawHeaderTitle(int column) {
    PaintBatch batch(*this);
    if (!validColumn(column)) return;
    const GridColumn& col = columns_[column - 1];
    // Titles are measured at a fixed 8 pixels per byte, not with the font.
    std::string text = col.title;
    while (!text.empty() && static_cast<int64_t>(text.size()) * kTitleBytePixels > col.width - 10) {
        text = leftCharacters(text, characterCount(text) - 1);
    }
    if (text != col.title && col.width >= 10 && !col.title.empty()) text += "..";
    headerCanvas_->writeText(columnLeft(column) + kTextInset, kTextInset, text);
}

void RecordGrid::drawRows(int fromColumn) {
    PaintBatch batch(*this);
    Canvas& data = *dataCanvas_;
    const int width = dataWidth();
    const int height = dataHeight();
    const int visible = visibleRowCount();
    const int right = columnRight(columnCount());
    if (right + 1 < width) {
        headerCanvas_->clear(right + 1, 1, width - right - 2, headerCanvas_->height() - 2);
        for (int v = 1; v <= visible; ++v) {
            data.clear(right + 1, (v - 1) * rowHeight_ + 1, width - right - 2, rowHeight_ - 1);
        }
        const int below = visible * rowHeight_ + 1;
        data.clear(right + 1, below, width - right - 2, height - 1 - below);
    }
    data.setPenWidth(1);
    data.setPen(GridColours::kGridLine);
    for (int v = 1; v <= visible; ++v) {
        data.drawLine(1, v * rowHeight_, width - 1, v * rowHeight_);
        drawViewRow(v, 0, fromColumn, topRow_ + v > rowCount(), false);
    }
    drawViewRow(0, 0, fromColumn, true, true);
}

void RecordGrid::drawViewRow(int viewRow, int column, int fromColumn, bool clearOnly,
                             bool clearBelow) {
    PaintBatch batch(*this);
    Canvas& data = *dataCanvas_;
    const int width = dataWidth();
    const int row = topRow_ + viewRow;
    const int rowTop = (viewRow - 1) * rowHeight_ + 1;
    for (int k = std::max({leftColumn_ + 1, fromColumn, 1}); k <= columnCount(); ++k) {
        if (column != 0 && k != column) continue;
        const int x = columnLeft(k) + 1;
        // Columns beyond the right edge cannot be seen.
        if (x >= width) break;
        int w = columns_[k - 1].width - 1;
        if (x + w >= width) w = std::max(0, width - x - 2);
        if (clearOnly) {
            if (clearBelow) {
                const int below = visibleRowCount() * rowHeight_;
                data.clear(x, below + 1, w, dataHeight() - below - 2);
            } else {
                data.clear(x, rowTop, w, rowHeight_ - 1);
            }
            continue;
        }
        const std::string text = cellDisplayText(row, k);
        data.clear(x, rowTop, w, rowHeight_ - 1);
        if (selection_.contains(row)) {
            data.setFill(GridColours::kSelection);
            data.setTextColour(GridColours::kSelectedText);
            data.fillRect(x, rowTop, x + w, viewRow * rowHeight_);
        } else {
            data.setFill(GridColours::kWhite);
            data.setTextColour(GridColours::kText);
        }
        const bool link = fields_ && isLinkType(fields_->fieldType(k));
        data.setUnderline(link);
        if (link) data.setTextColour(GridColours::kLinkText);
        if (fields_ && fields_->isKeyField(k)) data.setTextColour(GridColours::kKeyText);
        const int textY =
            truncated((viewRow - 1) * rowHeight_ + (rowHeight_ - glyphHeight_) / 2.0 + 1);
        data.writeText(columnLeft(k) + kTextInset, textY, text);
    }
}

std::string RecordGrid::cellDisplayText(int row, int column) const {
    std::lock_guard lock(mutex_);
    if (!validColumn(column)) return {};
    const std::string_view cell = cellView(row, column);
    std::string text = leftCharacters(cell, kMaxShownCharacters);
    int available = columns_[column - 1].width;
    const int left = columnLeft(column);
    if (left + available >= dataWidth()) available = dataWidth() - left;
    const int room = available - 12;
    // Widths are estimated at half a glyph per byte; each pass cuts about a quarter of the excess.
    const double halfGlyph = glyphWidth_ / 2.0;
    while (!text.empty() && text.size() * halfGlyph > room) {
        const int count = characterCount(text);
        const int cut =
            std::max(1, truncated((text.size() * halfGlyph - room) / glyphWidth_ / 4.0));
        if (count - cut < 1) {
            text.clear();
            break;
        }
        text = leftCharacters(text, count - cut);
    }
    if (text != cell && available >= 10) text += "..";
    return text;
}

void RecordGrid::drawColumnLines(int fromColumn) {
    PaintBatch batch(*this);
    Canvas& data = *dataCanvas_;
    const int width = dataWidth();
    const int height = dataHeight();
    data.setPen(GridColours::kGridLine);
    for (int c = std::max({fromColumn, leftColumn_, 1}); c <= columnCount(); ++c) {
        const int x = columnLeft(c + 1);
        if (x >= width - 1) break;
        if (x >= 1) data.drawLine(x, 1, x, height - 1);
    }
    // The corner square where the two bars meet.
    data.clear(width - 1 - kBarThickness, height - 1 - kBarThickness, kBarThickness, kBarThickness);
}

void RecordGrid::updateBars(bool force) {
    PaintBatch batch(*this);
    vBarShown_ = visibleRowCount() < rowCount();
    hBarShown_ = visibleColumnCount() < columnCount();
    if (!force && vBarShown_ == lastVBarShown_ && hBarShown_ == lastHBarShown_) return;
    lastVBarShown_ = vBarShown_;
    lastHBarShown_ = hBarShown_;
    placeBars();
    drawVBar(0);
    drawHBar(0);
    applyBarVisibility();
}

void RecordGrid::placeBars() {
    PaintBatch batch(*this);
    const int width = container_->width();
    const int height = container_->height();
    const int top = headerCanvas_->height();
    hBar_->setGeometry(2, height - hBar_->height() - 2,
                       width - 4 - (vBarShown_ ? kBarThickness : 0), hBar_->height());
    vBar_->setGeometry(width - vBar_->width() - 2, top + 1, vBar_->width(),
                       height - top - 3 - (hBarShown_ ? kBarThickness : 0));
}

void RecordGrid::applyBarVisibility() {
    PaintBatch batch(*this);
    if (vBar_->isVisible() != vBarShown_) vBar_->setVisible(vBarShown_);
    if (hBar_->isVisible() != hBarShown_) hBar_->setVisible(hBarShown_);
}

void RecordGrid::drawVBar(int hotPart) {
    PaintBatch batch(*this);
    const int height = vBar_->height();
    const int t = kBarThickness;
    vBar_->setFill(barFill(1, hotPart));
    drawVButton(0, 0, t, t, hotPart == 1);
    vBar_->setFill(barFill(2, hotPart));
    drawVThumb(0, t + 1, t, height - t - 1);
    vBar_->setFill(barFill(3, hotPart));
    drawVButton(0, height - t, t, height, hotPart == 3);
}

void RecordGrid::drawHBar(int hotPart) {
    PaintBatch batch(*this);
    const int width = hBar_->width();
    const int t = kBarThickness;
    hBar_->setFill(barFill(1, hotPart));
    drawHButton(0, 0, t, t, hotPart == 1);
    hBar_->setFill(barFill(2, hotPart));
    drawHThumb(t + 1, 0, width - t - 1, t);
    hBar_->setFill(barFill(3, hotPart));
    drawHButton(width - t, 0, width, t, hotPart == 3);
}

namespace {

// The thumb along a track: its start and end for `first` of `total` items scrolled off, `visible`
// of them shown, on a track of trackLength pixels between start and end.
struct ThumbSpan {
    int from;
    int to;
};

ThumbSpan thumbSpan(int start, int end, int total, int visible, int first, int trackLength,
                    int barLength, int barThickness) {
    const int hidden = total - visible;
    const int shrink = truncated(static_cast<double>(hidden) / total * trackLength);
    const int offset = first < 1 ? 0 : truncated(static_cast<double>(first) / total * trackLength);
    ThumbSpan span{start + offset, offset + end - shrink};
    if (span.to - span.from < kMinThumbLength) span.to = span.from + kMinThumbLength;
    if (span.to >= barLength - barThickness) {
        span.to = barLength - barThickness - 1;
        span.from = span.to - kMinThumbLength;
    }
    return span;
}

// Five grip lines 2 pixels apart across the middle of a thumb longer than the minimum.
template <typename DrawLine>
void drawGrip(int from, int to, DrawLine drawLine) {
    const int length = to - from;
    if (length <= kMinThumbLength) return;
    const int offset = truncated(length / 2.0 - 5 + 1);
    for (int i = 0; i <= 8; i += 2) drawLine(from + offset + i);
}

}  // namespace

void RecordGrid::drawVThumb(int x1, int y1, int x2, int y2) {
    PaintBatch batch(*this);
    Canvas& bar = *vBar_;
    bar.clear(x1, y1, x2 - x1 + 1, y2 - y1 + 1);
    const int barLength = bar.height();
    vTrackLength_ = barLength - 2 * kBarThickness - 2;
    const ThumbSpan span = thumbSpan(y1, y2, rowCount(), visibleRowCount(), topRow_, vTrackLength_,
                                     barLength, kBarThickness);
    vThumbTop_ = span.from;
    vThumbBottom_ = span.to;
    bar.drawRoundRect(x1, span.from, x2, span.to, kThumbRadius, kThumbRadius);
    drawGrip(span.from, span.to, [&](int y) { bar.drawLine(x1, y, x2, y); });
}

void RecordGrid::drawHThumb(int x1, int y1, int x2, int y2) {
    PaintBatch batch(*this);
    Canvas& bar = *hBar_;
    bar.clear(x1, y1, x2 - x1 + 1, y2 - y1 + 1);
    const int barLength = bar.width();
    hTrackLength_ = barLength - 2 * kBarThickness - 2;
    const ThumbSpan span = thumbSpan(x1, x2, columnCount(), visibleColumnCount(), leftColumn_,
                                     hTrackLength_, barLength, kBarThickness);
    hThumbLeft_ = span.from;
    hThumbRight_ = span.to;
    bar.drawRoundRect(span.from, y1, span.to, y2, kThumbRadius, kThumbRadius);
    drawGrip(span.from, span.to, [&](int x) { bar.drawLine(x, y1, x, y2); });
}

namespace {
// A square with one inner square; pressed, with three.
void drawBarButton(Canvas& bar, int x1, int y1, int x2, int y2, bool pressed) {
    bar.drawRect(x1, y1, x2, y2);
    for (int inset : {2, 4, 6}) {
        if (inset != 4 && !pressed) continue;
        bar.drawRect(x1 + inset, y1 + inset, x2 - inset, y2 - inset);
    }
}
}  // namespace

void RecordGrid::drawVButton(int x1, int y1, int x2, int y2, bool pressed) {
    PaintBatch batch(*this);
    drawBarButton(*vBar_, x1, y1, x2, y2, pressed);
}

void RecordGrid::drawHButton(int x1, int y1, int x2, int y2, bool pressed) {
    PaintBatch batch(*this);
    drawBarButton(*hBar_, x1, y1, x2, y2, pressed);
}

bool RecordGrid::vBarShown() const {
    std::lock_guard lock(mutex_);
    return vBarShown_;
}
bool RecordGrid::hBarShown() const {
    std::lock_guard lock(mutex_);
    return hBarShown_;
}
int RecordGrid::vThumbTop() const {
    std::lock_guard lock(mutex_);
    return vThumbTop_;
}
int RecordGrid::vThumbBottom() const {
    std::lock_guard lock(mutex_);
    return vThumbBottom_;
}
int RecordGrid::hThumbLeft() const {
    std::lock_guard lock(mutex_);
    return hThumbLeft_;
}
int RecordGrid::hThumbRight() const {
    std::lock_guard lock(mutex_);
    return hThumbRight_;
}
int RecordGrid::vTrackLength() const {
    std::lock_guard lock(mutex_);
    return vTrackLength_;
}
int RecordGrid::hTrackLength() const {
    std::lock_guard lock(mutex_);
    return hTrackLength_;
}

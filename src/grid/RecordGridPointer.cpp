// How the grid answers the pointer: row selection, column-border drags, header feedback and sort
// clicks, the hand-drawn scroll bars, right-button copying, tooltips and the link action.
#include <string>
#include <vector>

#include "forms/FieldModel.h"
#include "forms/FieldText.h"
#include "grid/GridArithmetic.h"
#include "grid/GridPaintBatch.h"
#include "grid/GridSort.h"
#include "grid/RecordGrid.h"
#include "links/CellLinkAction.h"
#include "links/CellLinks.h"
#include "platform/GbkText.h"
#include "platform/TextCodec.h"

namespace {

constexpr int kTooltipCharacters = 1000;

// Calls visit(i) for every i from first to last inclusive, stepping toward last.
template <class Visit>
void forRange(int first, int last, Visit visit) {
    const int step = first <= last ? 1 : -1;
    for (int i = first;; i += step) {
        visit(i);
        if (i == last) break;
    }
}

int sortKeyKindOf(int32_t fieldType) {
    switch (fieldType) {
        case FieldType::Integer:
        case FieldType::Decimal:
            return SortKeyKind::LeadingInteger;
        case FieldType::DateTime:
        case FieldType::FreeDateTime:
            return SortKeyKind::DateTime;
        default:
            return SortKeyKind::Bytes;
    }
}

}  // namespace

void RecordGrid::setPointerHooks(GridPointerHooks hooks) {
    std::lock_guard lock(mutex_);
    pointerHooks_ = std::move(hooks);
}

// Left button on the data canvas.

void RecordGrid::dataCanvasPressed(int x, int y) {
    headerCanvas_->takeFocus();
    dataPressed(x, y);
}

void RecordGrid::dataPressed(int, int y) {
    std::lock_guard lock(mutex_);
    pressRow_ = rowAt(y);
}

void RecordGrid::dataReleased(int x, int y, int keyState) {
    {
        PaintBatch batch(*this);
        const int row = rowAt(y);
        if (selectionMode_ == 0) {
            selection_.clear();
            scrollRows();
        } else if (selectionMode_ == 1) {
            selectRow(row, true);
            scrollRows();
        } else if (row == pressRow_) {
            int first = 0;
            if (keyState != KeyState::Ctrl) {
                if (keyState == KeyState::Shift && !selection_.empty())
                    first = selection_.numbers().front();
                selection_.clear();
            }
            if (keyState == KeyState::Shift && first != 0) {
                forRange(first, pressRow_, [&](int r) { selectRow(r); });
            } else {
                selectRow(pressRow_);
                selection_.sortAscending();
            }
            scrollRows();
        }
        pressRow_ = 0;
    }
    vBarReleased();
    hBarReleased();
    if (resizeStartX_ >= 1) headerReleased(x, y + headerHeight());
}

void RecordGrid::dataCanvasReleased(int x, int y, int keyState) {
    dataReleased(x, y, keyState);
    const int first = firstSelectedRow();
    if (first != -1 && pointerHooks_.selectedRecordChosen)
        pointerHooks_.selectedRecordChosen(rowRecord(first).bookmark);
    if (pointer_.suppressLinkAction) {
        pointer_.suppressLinkAction = false;
        return;
    }
    const GridPointerHooks& h = pointerHooks_;
    if (fields_ && h.shell && h.clipboard && h.beep && h.keys) {
        LinkServices services{*h.shell, *h.clipboard, *h.beep, *h.keys};
        cellLinkAction(*this, *fields_, x, y, services);
    }
}

// Pointer moves over the data canvas: tooltip, bars, end of header feedback, drag selection.

void RecordGrid::refreshTooltip(int column, int row) {
    // Stored values are read without the grid's lock (a worker may hold the table's lock while it
    // writes into the grid); the grid is only read through its own locking operations here.
    std::string text;
    if (column >= 1 && column <= columnCount() && row >= 1 && row <= rowCount()) {
        const int32_t type = fields_ ? fields_->fieldType(column) : 0;
        if (isLinkType(type)) {
            std::vector<std::string> p =
                splitValue(fields_->storedValue(rowRecord(row).bookmark, column), 3);
            text = GBK("点击打开或按住Alt键点击复制：") + linkTarget(type, p[0], p[1], p[2]);
        } else if (cellDisplayText(row, column).ends_with("..")) {
            text = cellText(row, column);
        }
    }
    std::lock_guard lock(mutex_);
    tooltip_.removeTool(*dataCanvas_);
    if (!text.empty())
        tooltip_.addTool(*dataCanvas_, leftCharacters(text, kTooltipCharacters), false);
}

void RecordGrid::dataPointerMoved(int x, int y, int keyState) {
    if (x != pointer_.lastDataX || y != pointer_.lastDataY) {
        const int column = columnAt(x);
        const int row = rowAt(y);
        const bool pressing = pressRow_ != 0;
        if (column != pointer_.hoverColumn || (row != pointer_.hoverRow && !pressing)) {
            pointer_.hoverColumn = column;
            pointer_.hoverRow = row;
            refreshTooltip(column, row);
        }
        pointer_.lastDataX = x;
        pointer_.lastDataY = y;
    }

    PaintBatch batch(*this);
    if (columnCount() == 0) return;
    updateBars(false);
    // Bar positions are relative to the container; the data canvas lies barThickness + 6 (the
    // header height less one) below the container's top.
    const int dataTop = kBarThickness + 6;
    if (vBarShown_) vBarPointerMoved(x - vBar_->left(), y - vBar_->top() + dataTop);
    if (hBarShown_) hBarPointerMoved(x - hBar_->left(), y - hBar_->top() + dataTop);
    if (resizeStartX_ != 0) {
        headerPointerMoved(x, y + headerHeight());
    } else {
        if (hoverColumn_ > 0) {
            drawHeader(hoverColumn_, kHeaderNormal, false);
            hoverColumn_ = 0;
        }
        headerCanvas_->setCursor(CanvasCursor::Arrow);
        inBorderZone_ = false;
        headerPointerMoved(-1, -1);
    }
    if (pressRow_ > 0) {
        const int row = rowAt(y);
        if (row != pointer_.lastDragRow) selectDraggedRows(row, keyState);
    }
}

void RecordGrid::selectDraggedRows(int row, int keyState) {
    pointer_.lastDragRow = row;
    if (selectionMode_ == 0) return;
    if (selectionMode_ == 1) {
        selectRow(row, true);
    } else if (row > 0) {
        // Without Ctrl or Shift the selection is exactly the dragged range; with them ranges add.
        if (keyState != KeyState::Ctrl && keyState != KeyState::Shift) selection_.clear();
        forRange(pressRow_, row, [&](int r) { selectRow(r); });
    }
    if (row == topRow_ + 1) {
        scrollRows(std::nullopt, 0, -1);
    } else if (row - topRow_ >= visibleRowCount()) {
        scrollRows(std::nullopt, 0, 1);
    } else {
        scrollRows();
    }
}

// Right button on the data canvas: copying.

std::string RecordGrid::selectedRowsText() const {
    std::lock_guard lock(mutex_);
    std::string text;
    bool firstRow = true;
    for (int row : selection_.numbers()) {
        if (!firstRow) text += "\r\n";
        firstRow = false;
        for (int c = 1; c <= columnCount(); ++c) {
            if (c > 1) text += ',';
            text += cellView(row, c);
        }
    }
    return text;
}

void RecordGrid::dataCanvasRightPressed(int x, int y, int keyState) {
    std::vector<int> selected;
    if (copySelection(selected) < 2) {
        // Select the row under the pointer as a left click would, without opening its link.
        pointer_.suppressLinkAction = true;
        dataCanvasPressed(x, y);
        dataCanvasReleased(x, y, keyState);
    }
    std::string text;
    if (keyState == KeyState::Alt) {
        // Nothing selected (a click below the rows): the clipboard keeps what it holds.
        if (firstSelectedRow() == -1) return;
        text = selectedRowsText();
    } else {
        const int column = columnAt(x);
        const int row = rowAt(y);
        if (column < 1 || row < 1 || column > columnCount() || row > rowCount()) return;
        text = cellText(row, column);
    }
    if (pointerHooks_.clipboard) pointerHooks_.clipboard->setText(text);
    if (pointerHooks_.beep) pointerHooks_.beep->beep();
}

// Header: hover feedback, column-border drags, sort clicks.

void RecordGrid::headerPointerMoved(int x, int y) {
    PaintBatch batch(*this);
    if (x == pointer_.lastHeaderX && y == pointer_.lastHeaderY) return;
    pointer_.lastHeaderX = x;
    pointer_.lastHeaderY = y;
    if (resizeStartX_ < 1) {
        const int column = columnAt(x);
        if (column != hoverColumn_) {
            if (hoverColumn_ > 0) drawHeader(hoverColumn_, kHeaderNormal, false);
            if (column > 0) drawHeader(column, kHeaderHover, false);
            hoverColumn_ = column;
        }
        inBorderZone_ = column >= 1 && columnRight(column) - 2 <= x && x <= columnRight(column) + 2;
        headerCanvas_->setCursor(inBorderZone_ ? CanvasCursor::ResizeHorizontal
                                               : CanvasCursor::Arrow);
    } else if (resizeColumn_ > 0) {
        // The column follows the pointer; no minimum above 0 and no maximum.
        const int width = std::max(0, x + resizeStartWidth_ - resizeStartX_);
        setColumnWidth(resizeColumn_, width, true);
        if (pointerHooks_.columnResized) pointerHooks_.columnResized(resizeColumn_, width);
        scrollColumns(resizeColumn_, std::nullopt, 0, 0, true);
    }
}

bool RecordGrid::isInBorderZone() const {
    std::lock_guard lock(mutex_);
    return inBorderZone_;
}

void RecordGrid::headerPressed(int x, int) {
    PaintBatch batch(*this);
    if (!inBorderZone_) {
        const int column = columnAt(x);
        if (column > 0) drawHeader(column, kHeaderPressed, false);
        return;
    }
    resizeStartX_ = x;
    // A drag that finds no border must not resize the column of an earlier drag.
    resizeColumn_ = 0;
    for (int b = columnCount(); b > leftColumn_; --b) {
        const int right = columnLeft(b) + columnWidth(b);
        if (right - 2 <= x && x <= right + 2) {
            resizeColumn_ = b;
            resizeStartWidth_ = columnWidth(b);
            return;
        }
    }
}

void RecordGrid::headerReleased(int x, int) {
    {
        PaintBatch batch(*this);
        resizeStartX_ = 0;
        if (!inBorderZone_) {
            const int column = columnAt(x);
            if (column > 0) drawHeader(column, kHeaderHover, false);
        }
    }
    if (pointerHooks_.headerReleased) pointerHooks_.headerReleased();
}

void RecordGrid::headerCanvasPressed(int x, int y) {
    headerCanvas_->takeFocus();
    headerPressed(x, y);
    if (isInBorderZone() || sortRunning_) return;
    if (pointerHooks_.sortRefused && pointerHooks_.sortRefused()) return;
    const int column = columnAt(x);
    pointer_.sortAscending = !pointer_.sortAscending;
    if (column < 1) return;
    const std::string title = columnTitle(column);
    const std::string marked = title + ">>";
    setColumnTitle(column, marked, false, kHeaderPressed);
    const int32_t type = fields_ ? fields_->fieldType(column) : 0;
    sortByColumn(column, pointer_.sortAscending, sortKeyKindOf(type));
    // The columns may have been replaced while the sort let events through.
    if (columnTitle(column) == marked) setColumnTitle(column, title, false, kHeaderHover);
}

// Vertical scroll bar.

int RecordGrid::vBarPartAt(int x, int y) const {
    std::lock_guard lock(mutex_);
    const int t = kBarThickness;
    if (x < 0 || x > t) return 0;
    if (y >= 0 && y <= t) return 1;
    if (y >= vThumbTop_ && y <= vThumbBottom_) return 2;
    if (y >= vBar_->height() - t && y <= vBar_->height()) return 3;
    return 0;
}

void RecordGrid::vBarPressed(int x, int y) {
    headerCanvas_->takeFocus();
    PaintBatch batch(*this);
    vPressTopRow_ = topRow_;
    vBarPart_ = vBarPartAt(x, y);
    switch (vBarPart_) {
        case 2:
            vDragStartY_ = y;
            break;
        case 1:
            scrollRows(vPressTopRow_ - visibleRowCount());
            break;
        case 3:
            scrollRows(vPressTopRow_ + visibleRowCount());
            break;
        default:
            scrollRows(truncated(double(y - 2 * kBarThickness) / vTrackLength_ * rowCount()));
    }
    drawVBar(vBarPart_);
}

void RecordGrid::vBarPointerMoved(int, int y) {
    PaintBatch batch(*this);
    if (vDragStartY_ > 0) {
        if (y == pointer_.lastVDragY) return;
        pointer_.lastVDragY = y;
        topRow_ = truncated(vPressTopRow_ + double(y - vDragStartY_) / vTrackLength_ * rowCount());
        scrollRows(std::nullopt, vBarPart_);
    } else if (pointer_.lastVDragY != 0) {
        pointer_.lastVDragY = 0;
        drawVBar(0);
    }
}

void RecordGrid::vBarReleased() {
    PaintBatch batch(*this);
    vDragStartY_ = 0;
    drawVBar(0);
}

void RecordGrid::vBarRightPressed(int x, int y) {
    PaintBatch batch(*this);
    vBarPart_ = vBarPartAt(x, y);
    if (vBarPart_ == 1) scrollRows(0, 1);
    if (vBarPart_ == 3) scrollRows(rowCount(), 3);
}

void RecordGrid::vBarRightReleased() {
    drawVBar(0);
}

// Horizontal scroll bar: the same across, but its buttons move by one column.

int RecordGrid::hBarPartAt(int x, int) const {
    std::lock_guard lock(mutex_);
    const int t = kBarThickness;
    if (x >= 0 && x <= t) return 1;
    if (x >= hThumbLeft_ && x <= hThumbRight_) return 2;
    if (x >= hBar_->width() - t && x <= hBar_->width()) return 3;
    return 0;
}

void RecordGrid::hBarPressed(int x, int y) {
    headerCanvas_->takeFocus();
    PaintBatch batch(*this);
    hPressLeftColumn_ = leftColumn_;
    hBarPart_ = hBarPartAt(x, y);
    switch (hBarPart_) {
        case 2:
            hDragStartX_ = x;
            break;
        case 1:
            scrollColumns(std::nullopt, hPressLeftColumn_ - 1);
            break;
        case 3:
            scrollColumns(std::nullopt, hPressLeftColumn_ + 1);
            break;
        default:
            scrollColumns(std::nullopt,
                          truncated(double(x - 2 * kBarThickness) / hTrackLength_ * columnCount()));
    }
    drawHBar(hBarPart_);
}

void RecordGrid::hBarPointerMoved(int x, int) {
    PaintBatch batch(*this);
    if (hDragStartX_ > 0) {
        if (x == pointer_.lastHDragX) return;
        pointer_.lastHDragX = x;
        const double moved = double(x - hDragStartX_) / hTrackLength_ * columnCount();
        scrollColumns(std::nullopt, truncated(hPressLeftColumn_ + moved), hBarPart_);
    } else if (pointer_.lastHDragX != 0) {
        pointer_.lastHDragX = 0;
        drawHBar(0);
    }
}

void RecordGrid::hBarReleased() {
    PaintBatch batch(*this);
    hDragStartX_ = 0;
    drawHBar(0);
}

void RecordGrid::hBarRightPressed(int x, int y) {
    PaintBatch batch(*this);
    hBarPart_ = hBarPartAt(x, y);
    if (hBarPart_ == 1) scrollColumns(std::nullopt, 0, 1);
    if (hBarPart_ == 3) scrollColumns(std::nullopt, columnCount(), 3);
}

void RecordGrid::hBarRightReleased() {
    drawHBar(0);
}

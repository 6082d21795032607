#pragma once
// The hand-painted record table of the main window: its own columns, rows, selection and scroll
// state, painted on five canvases (a container holding the header, the data area and two scroll
// bars drawn by hand). Rows and columns count from 1; hit tests give 0 when nothing is hit.
//
// Threads: every operation takes the grid's lock, so rowCount, cellText, rowRecord and setCellText
// may be called from worker threads while the user-interface thread scrolls, selects and paints.
// A worker's repaint draws into the canvas images under that lock; the canvases post the widget
// updates to the user-interface thread.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "grid/GridListFields.h"
#include "grid/GridPointer.h"
#include "grid/GridRow.h"
#include "grid/PackedRows.h"
#include "grid/RowSelection.h"
#include "grid/TooltipWindow.h"
#include "lists/ListGrid.h"
#include "platform/Canvas.h"
#include "platform/UiYield.h"

struct GridCanvases {
    Canvas* header = nullptr;
    Canvas* data = nullptr;
    Canvas* container = nullptr;
    Canvas* hBar = nullptr;
    Canvas* vBar = nullptr;
};

struct GridAttachOptions {
    int rowHeight = 0;         // 0: 30
    std::string dataFontName;  // GBK; empty: "宋体"
    int dataFontSize = 0;      // points; 0: 11
    int selectionMode = 2;     // 0 none, 1 single row, 2 several rows
};

// Header cell styles.
enum HeaderStyle : int { kHeaderNormal = 0, kHeaderHover = 1, kHeaderPressed = 2 };

class RecordGrid : public ListGrid {
  public:
    RecordGrid();
    ~RecordGrid() override;
    RecordGrid(const RecordGrid&) = delete;
    RecordGrid& operator=(const RecordGrid&) = delete;

    // Binds the canvases and sets the geometry constants; fields describes the open list's
    // columns and may be null. The canvases, the tooltip host and fields must stay until detach.
    void attach(const GridCanvases& canvases, TooltipHost* tooltipHost, GridListFields* fields,
                const GridAttachOptions& options = {});
    // The window holding the canvases goes away: the grid destroys its tooltip window and forgets
    // the canvases and fields; rows and columns stay.
    void detach();
    void clearAll();

    // Container placement.
    int containerLeft() const;
    int containerTop() const;
    int containerWidth() const;
    int containerHeight() const;
    void setBounds(std::optional<int> left, std::optional<int> top, std::optional<int> width,
                   std::optional<int> height);

    // Scrolling: set the first value if given, add delta, clamp, repaint.
    void scrollRows(std::optional<int> topRow = std::nullopt, int hotPart = 0, int delta = 0);
    void scrollColumns(std::optional<int> fromColumn = std::nullopt,
                       std::optional<int> leftColumn = std::nullopt, int hotPart = 0, int delta = 0,
                       bool hover = false) override;
    void scrollRowToBottom(int row);
    void scrollToEnd();
    void scrollToStart();
    void wheel(int notches);
    // Raw access: no clamping, no repaint.
    void setLeftColumnValue(int value);
    int leftColumnValue() const;
    void setTopRowValue(int value);
    int topRowValue() const;

    // Selection.
    void selectOnly(int row);
    void selectRow(int row, bool clearFirst = false);
    void selectAll();
    int copySelection(std::vector<int>& out) const;
    int firstSelectedRow() const;

    // Rows.
    int rowCount() const;
    GridRow rowRecord(int row) const;
    std::string cellText(int row, int column) const;
    void setCellText(int row, int column, const std::string& text, bool noRedraw = false);
    void setRow(int row, const std::optional<std::vector<std::string>>& cells,
                std::optional<int32_t> bookmark, bool padToColumns = false,
                bool noRedraw = false) override;
    void setRows(const std::vector<GridRow>& rows, bool noRedraw = false);
    void addRow(const std::vector<std::string>& cells, int32_t bookmark = 0,
                bool padToColumns = false, bool noRedraw = false,
                bool scrollToEnd = false) override;
    void addRowViews(const std::vector<std::string_view>& cells, int32_t bookmark,
                     bool padToColumns, bool noRedraw) override;
    void insertRow(int position, const std::vector<std::string>& cells, int32_t bookmark = 0,
                   bool padToColumns = false, bool noRedraw = false, bool scrollToEnd = false);
    void removeRow(int row, bool noRedraw = false);
    void clearRows(bool noRedraw = false) override;

    // Columns.
    int columnCount() const override;
    void reshapeCells(int column, bool remove);
    void setColumns(const std::vector<GridColumn>& columns, bool noRelayout = false);
    void addColumn(const std::string& title, std::optional<int> width = std::nullopt,
                   bool noRelayout = false, bool noReshape = false) override;
    void insertColumn(int position, const std::string& title,
                      std::optional<int> width = std::nullopt, bool noRelayout = false);
    void removeColumn(int column, bool noRelayout = false);
    void clearColumns(bool noRelayout = false) override;
    std::string columnTitle(int column) const;
    void setColumnTitle(int column, const std::string& title, bool noRedraw = false,
                        int style = kHeaderNormal);
    int columnWidth(int column) const;
    void setColumnWidth(int column, int width, bool noRelayout = false);
    // source 0 titles and cells, 1 titles only, 2 cells only. With one column and measureOnly the
    // width is returned and nothing changes; otherwise the result is 0.
    int autoFitColumns(int source = 0, int column = 0, bool noRelayout = false,
                       bool measureOnly = false, int maxWidth = 0) override;

    // Geometry.
    int visibleRowCount() const;
    int visibleColumnCount() const;
    int columnLeft(int column) const;
    int columnRight(int column) const;
    int columnAt(int x) const;
    int rowAt(int y) const;
    int rowHeight() const;
    int headerHeight() const;
    int barThickness() const { return kBarThickness; }
    int glyphWidth() const;
    int glyphHeight() const;
    int measureGlyphWidth(const std::string& fontName, int pointSize, bool bold);
    int measureGlyphHeight(const std::string& fontName, int pointSize, bool bold);

    // Lines of text: row 0 gives the titles. exportLine reads link fields' stored values.
    std::string displayLine(int row, bool quoted) const;
    std::string exportLine(int row, bool quoted) const;

    // Drawing; a column argument of 0 means all columns.
    void prepareCanvases();
    int drawHeader(int column, int style, bool andFollowing);
    void drawHeaderTitle(int column);
    void drawRows(int fromColumn);
    void drawViewRow(int viewRow, int column, int fromColumn, bool clearOnly, bool clearBelow);
    std::string cellDisplayText(int row, int column) const;
    void drawColumnLines(int fromColumn);
    void updateBars(bool force);
    void placeBars();
    void applyBarVisibility();
    void drawVBar(int hotPart);
    void drawHBar(int hotPart);
    void drawVThumb(int x1, int y1, int x2, int y2);
    void drawHThumb(int x1, int y1, int x2, int y2);
    void drawVButton(int x1, int y1, int x2, int y2, bool pressed);
    void drawHButton(int x1, int y1, int x2, int y2, bool pressed);

    // Bar state as last drawn (the pointer hit tests read it).
    bool vBarShown() const;
    bool hBarShown() const;
    int vThumbTop() const;
    int vThumbBottom() const;
    int hThumbLeft() const;
    int hThumbRight() const;
    int vTrackLength() const;
    int hTrackLength() const;

    // For a multi-step use (sorting: read a column, then reorder) that must not interleave with
    // other threads. The lock is recursive: grid operations may be called while holding it.
    std::unique_lock<std::recursive_mutex> lock() const;
    // The cell's text without a copy; valid while the caller holds lock() and no row changes.
    std::string_view cellView(int row, int column) const;
    // New row order: row i receives the row that was number order[i - 1]; order must be a
    // permutation of 1 … rowCount (anything else changes nothing). Empties the selection; no
    // repaint.
    void reorderRows(const std::vector<int>& order);

  private:
    class PaintBatch;
    bool validRow(int row) const;
    bool validColumn(int column) const;
    int dataWidth() const;
    int dataHeight() const;
    void fitRowToColumns(size_t pos);
    void drawThumbGrip(Canvas& bar, bool vertical, int from, int to, int across1, int across2);

    static constexpr int kBarThickness = 18;
    static constexpr int kHeaderHeight = 25;

    mutable std::recursive_mutex mutex_;

    Canvas* headerCanvas_;
    Canvas* dataCanvas_;
    Canvas* container_;
    Canvas* hBar_;
    Canvas* vBar_;
    GridListFields* fields_ = nullptr;

    PackedRows rows_;
    std::vector<GridColumn> columns_;
    int rowHeight_ = 30;
    int topRow_ = 0;
    int leftColumn_ = 0;
    int vThumbTop_ = 0;
    int vThumbBottom_ = 0;
    int hThumbLeft_ = 0;
    int hThumbRight_ = 0;
    int vTrackLength_ = 0;
    int hTrackLength_ = 0;
    bool vBarShown_ = false;
    bool hBarShown_ = false;
    bool lastVBarShown_ = false;
    bool lastHBarShown_ = false;
    int glyphWidth_ = 0;
    int glyphHeight_ = 0;
    std::string dataFontName_;
    int dataFontSize_ = 11;
    RowSelection selection_;
    TooltipWindow tooltip_;
    int selectionMode_ = 2;

    // Pointer interaction state, kept by the pointer handlers.
    int vPressTopRow_ = 0;
    int hPressLeftColumn_ = 0;
    int vDragStartY_ = 0;
    int vBarPart_ = 0;
    int hDragStartX_ = 0;
    int hBarPart_ = 0;
    bool inBorderZone_ = false;
    int resizeStartX_ = 0;
    int resizeColumn_ = 0;
    int resizeStartWidth_ = 0;
    int hoverColumn_ = 0;
    int pressRow_ = 0;

    // ---- Sorting (RecordGridSort.cpp) and pointer handling (RecordGridPointer.cpp) ----
  public:
    // Reorders the rows by one column (key kinds in grid/GridSort.h), empties the selection and
    // repaints. The sort lets the window process events as it goes (setUiYield); a sort asked for
    // meanwhile is refused, and if the row count changes meanwhile it gives up without reordering.
    void sortByColumn(int column, bool ascending, int keyKind);
    // True while a sort runs: commands that would change the rows refuse or wait.
    bool sortRunning() const { return sortRunning_; }
    void setUiYield(UiYield yield,
                    std::chrono::milliseconds interval = std::chrono::milliseconds(10));

    void setPointerHooks(GridPointerHooks hooks);
    // Canvas events; x, y relative to the canvas that reports them, keyState of KeyState flags.
    void dataCanvasPressed(int x, int y);
    void dataCanvasReleased(int x, int y, int keyState);
    void dataCanvasRightPressed(int x, int y, int keyState);
    void headerCanvasPressed(int x, int y);
    // The steps they are made of; the main window also forwards its own pointer moves and left
    // releases, converted to data canvas coordinates, to dataPointerMoved and dataReleased.
    void dataPressed(int x, int y);
    void dataReleased(int x, int y, int keyState);
    void dataPointerMoved(int x, int y, int keyState);
    void headerPointerMoved(int x, int y);
    bool isInBorderZone() const;
    void headerPressed(int x, int y);
    void headerReleased(int x, int y);
    // Scroll bar parts: 1 first button, 2 thumb, 3 second button, 0 track.
    int vBarPartAt(int x, int y) const;
    int hBarPartAt(int x, int y) const;
    void vBarPressed(int x, int y);
    void vBarReleased();
    void vBarPointerMoved(int x, int y);
    void vBarRightPressed(int x, int y);
    void vBarRightReleased();
    void hBarPressed(int x, int y);
    void hBarReleased();
    void hBarPointerMoved(int x, int y);
    void hBarRightPressed(int x, int y);
    void hBarRightReleased();

  private:
    void refreshTooltip(int column, int row);
    void selectDraggedRows(int row, int keyState);
    std::string selectedRowsText() const;

    GridPointerHooks pointerHooks_;
    GridPointerState pointer_;
    UiYield uiYield_;
    std::chrono::milliseconds uiYieldInterval_{10};
    std::atomic<bool> sortRunning_{false};
};

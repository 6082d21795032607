#pragma once
// What the grid's pointer handling needs beside the grid: the modifier state of an event, the
// services and the program's hooks it calls, and the interaction state it keeps between events.
#include <cstdint>
#include <functional>

#include "platform/Beep.h"
#include "platform/Clipboard.h"
#include "platform/Keys.h"
#include "platform/Shell.h"

// Modifier flags reported with a pointer event. The handlers compare the whole value: Ctrl means
// Ctrl alone; any combination counts as none of them.
namespace KeyState {
enum : int { None = 0, Ctrl = 1, Shift = 2, Alt = 4 };
}

// Everything may be left empty: the grid then skips what needs it (no copy, no beep, no link
// action, no hand-over).
struct GridPointerHooks {
    Shell* shell = nullptr;
    Clipboard* clipboard = nullptr;
    Beep* beep = nullptr;
    Keys* keys = nullptr;
    // True while header clicks must not sort: the field check runs, or a list is loading into the
    // grid (a sort would order only the rows loaded so far).
    std::function<bool()> sortRefused;
    // A column border was dragged: the open list's field keeps the new width.
    std::function<void(int column, int width)> columnResized;
    // Every left release on the header: the list's definition, widths included, is saved.
    std::function<void()> headerReleased;
    // After a left release with a row selected: the entry panel, when it is open, takes the record
    // with this bookmark.
    std::function<void(int32_t bookmark)> selectedRecordChosen;
};

// Interaction state kept between pointer events.
struct GridPointerState {
    int lastDataX = 0, lastDataY = 0;      // last pointer move handled over the data canvas
    int hoverColumn = 0, hoverRow = 0;     // the cell whose tooltip is current
    int lastDragRow = 0;                   // row of the last drag-selection step
    int lastHeaderX = 0, lastHeaderY = 0;  // last pointer move handled over the header
    int lastVDragY = 0;                    // last y of a vertical thumb drag; 0 when none
    int lastHDragX = 0;                    // last x of a horizontal thumb drag; 0 when none
    bool sortAscending = false;            // flipped before every sort click
    bool suppressLinkAction = false;       // the next left release opens no link
};

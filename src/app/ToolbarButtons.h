#pragma once
// The toolbar's buttons, by index from 0, as the window builds them.
#include <string>
#include <vector>

namespace ToolbarButton {
enum : int {
    NewList = 0,
    DeleteList = 1,
    FindRecords = 2,
    AddRecord = 4,
    RemoveRecords = 5,
    SelectAll = 6,
    FormDesigner = 8,
    Ping = 9,
    AutoWidth = 10,
    ImportExport = 11,
    Count = 12,
};
}  // namespace ToolbarButton

struct ToolbarButtonSpec {
    bool separator = false;
    std::string text;     // GBK
    std::string tooltip;  // GBK
    int image = -1;       // index into toolbarImageNames()
    bool toggle = false;  // the program sets and clears its checked look itself
};

const std::vector<ToolbarButtonSpec>& toolbarButtons();

// Resource names of the toolbar images, by image number.
const std::vector<std::string>& toolbarImageNames();

// Resource names of the tree images: 0 list, 1 key field, 2 value.
const std::vector<std::string>& treeImageNames();

// Button texts that mark the busy states.
const std::string& pingIdleText();
const std::string& pingRunningText();
const std::string& transferIdleText();
const std::string& transferRunningText();
const std::string& transferStoppingText();

#pragma once
// Saving and restoring a window's input controls without per-control code: which controls take
// part, and what is stored for each, follows from the control's name and tag.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/UiYield.h"

class SettingsStore;

enum class ControlKind {
    None,
    Button,
    EditBox,
    CheckBox,
    RadioButton,
    ComboBox,
    ListBox,
    CheckListBox,
    ColourPicker,
};

// By the leading bytes of the (GBK) name; None when it begins with no kind word.
ControlKind controlKindOf(std::string_view name);

// One control as the window layer offers it. Only the members of the control's kind are called.
class StatefulControl {
  public:
    virtual ~StatefulControl() = default;
    virtual std::string name() const = 0;  // GBK
    virtual std::string tag() const = 0;   // GBK
    virtual void setTag(const std::string& tag) = 0;

    virtual std::string text() const { return {}; }
    virtual void setText(const std::string&) {}
    virtual bool checked() const { return false; }
    virtual void setChecked(bool) {}
    virtual int currentIndex() const { return -1; }
    virtual void setCurrentIndex(int) {}
    // The item list in the window layer's own byte form; the store does not interpret it.
    virtual std::string itemBytes() const { return {}; }
    virtual void setItemBytes(const std::string&) {}
    virtual int itemCount() const { return 0; }
    virtual bool itemSelected(int) const { return false; }
    virtual void selectItem(int) {}  // adds to the selection
    virtual bool itemChecked(int) const { return false; }
    virtual void checkItem(int) {}
    virtual int64_t colour() const { return 0; }
    virtual void setColour(int64_t) {}
};

struct ControlStateOptions {
    std::vector<std::string> skipNames;  // GBK
    bool withItemLists = false;          // combo boxes also keep their items (side file)
    bool withContents = false;           // combo boxes also keep their edit text
};

// restore: set the controls from the section; otherwise write their states into it. A non-empty
// section is selected first and stays selected. yield runs once before each control.
void syncControlStates(SettingsStore& store, const std::vector<StatefulControl*>& controls,
                       bool restore, const std::string& section, const ControlStateOptions& options,
                       const UiYield& yield);

// Index lists: ascending decimal indexes joined by "," ("" for none).
std::string formatIndexList(const std::vector<int>& indexes);
std::vector<int> parseIndexList(std::string_view text);

// Side files: values too large or too raw for a settings line, one file per section and key in
// folder "inibin" beside the settings file. Paths are GBK.
std::string sideFilePath(std::string_view settingsPath, std::string_view section,
                         std::string_view key);
bool writeSideFile(std::string_view settingsPath, std::string_view section, std::string_view key,
                   std::string_view bytes);
// The file's bytes; fallback when it is missing or empty.
std::string readSideFile(std::string_view settingsPath, std::string_view section,
                         std::string_view key, const std::string& fallback);

#pragma once
// What the main window's logic (toolbar commands, start and close) needs of the window itself.
#include <string>

class DropDownList;

class MainWindowView {
  public:
    virtual ~MainWindowView() = default;

    virtual DropDownList& formSelector() = 0;

    // Toolbar buttons by index.
    virtual bool toolbarChecked(int index) const = 0;
    virtual void setToolbarChecked(int index, bool checked) = 0;
    virtual std::string toolbarText(int index) const = 0;  // GBK
    virtual void setToolbarText(int index, const std::string& text) = 0;
    virtual void setToolbarEnabled(int index, bool enabled) = 0;

    virtual bool findBoxVisible() const = 0;
    virtual void setFindBoxVisible(bool visible) = 0;
    // Lays the children out again for the current size, splitter and find box.
    virtual void relayout() = 0;

    virtual void openFormDesigner() = 0;
    virtual void openEntryPanel() = 0;
};

#pragma once
// The main window's form selector: one item per form of the library, then the item that opens the
// form designer.
#include <string>

#include "forms/FieldModel.h"

class SettingsStore;

// A drop-down list as the window layer offers it; indexes from 0, -1 for none.
class DropDownList {
  public:
    virtual ~DropDownList() = default;
    virtual void clear() = 0;
    virtual void addItem(const std::string& text) = 0;  // GBK
    virtual int count() const = 0;
    virtual int selectedIndex() const = 0;
    virtual void setSelectedIndex(int index) = 0;  // runs no selection handler
};

const std::string& openDesignerItemText();

void fillFormSelector(DropDownList& selector, const FormLibrary& library, int index, bool select);

// The user chose an item: a form's index is remembered in "表单库"/"索引"; true when the item was
// the designer's, which the caller then opens (nothing is written).
bool formSelectorChosen(DropDownList& selector, SettingsStore& settings, int chosen);

#pragma once
// The main window as the toolbar logic sees it, with plain members; the toolbar's texts start as
// the buttons' own texts.
#include <functional>
#include <map>

#include "app/FormSelector.h"
#include "app/MainWindowView.h"
#include "app/ToolbarButtons.h"

struct FakeDropDownList : DropDownList {
    std::vector<std::string> items;
    int selected = -1;
    void clear() override {
        items.clear();
        selected = -1;
    }
    void addItem(const std::string& text) override { items.push_back(text); }
    int count() const override { return static_cast<int>(items.size()); }
    int selectedIndex() const override { return selected; }
    void setSelectedIndex(int index) override { selected = index; }
};

struct FakeMainWindowView : MainWindowView {
    FakeDropDownList selector;
    std::map<int, bool> checked;
    std::map<int, std::string> texts;
    std::map<int, bool> enabled;
    bool findBox = false;
    int relayouts = 0;
    int designerOpened = 0;
    int entryPanelOpened = 0;

    FakeMainWindowView() {
        for (int i = 0; i < ToolbarButton::Count; ++i) texts[i] = toolbarButtons()[i].text;
    }

    DropDownList& formSelector() override { return selector; }
    bool toolbarChecked(int index) const override {
        auto it = checked.find(index);
        return it != checked.end() && it->second;
    }
    void setToolbarChecked(int index, bool on) override { checked[index] = on; }
    std::string toolbarText(int index) const override { return texts.at(index); }
    void setToolbarText(int index, const std::string& text) override { texts[index] = text; }
    void setToolbarEnabled(int index, bool on) override { enabled[index] = on; }
    bool findBoxVisible() const override { return findBox; }
    void setFindBoxVisible(bool visible) override { findBox = visible; }
    void relayout() override { ++relayouts; }
    void openFormDesigner() override { ++designerOpened; }
    void openEntryPanel() override { ++entryPanelOpened; }
};

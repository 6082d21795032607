#pragma once
// A QComboBox seen as the logic's drop-down list; selecting by program runs no handler.
#include <QComboBox>
#include <QSignalBlocker>

#include "app/FormSelector.h"
#include "platform/qt/QtText.h"

class ComboDropDown : public DropDownList {
  public:
    explicit ComboDropDown(QComboBox* combo) : combo_(combo) {}

    void clear() override {
        const QSignalBlocker block(combo_);
        combo_->clear();
    }
    void addItem(const std::string& text) override {
        const QSignalBlocker block(combo_);
        combo_->addItem(toQString(text));
    }
    int count() const override { return combo_->count(); }
    int selectedIndex() const override { return combo_->currentIndex(); }
    void setSelectedIndex(int index) override {
        const QSignalBlocker block(combo_);
        combo_->setCurrentIndex(index);
    }

  private:
    QComboBox* combo_;
};

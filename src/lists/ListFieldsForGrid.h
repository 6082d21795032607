#pragma once
// The open list as the grid sees it: field types and key flags from the list's definition, stored
// values from its table.
#include "grid/GridListFields.h"
#include "lists/ListStore.h"

class ListFieldsForGrid : public GridListFields {
  public:
    explicit ListFieldsForGrid(ListStore& store) : store_(store) {}

    int32_t fieldType(int column) const override;
    bool isKeyField(int column) const override;
    // Goes to the record and reads the field in one batch, so that no other thread's go-to comes
    // between. Empty when the record is gone.
    std::string storedValue(int32_t bookmark, int column) override;

  private:
    const ListField* field(int column) const;
    ListStore& store_;
};

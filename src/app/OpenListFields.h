#pragma once
// The open list as the grid sees it: column n is field n of the current list.
#include "forms/FieldSpec.h"
#include "grid/GridListFields.h"

class ListStore;

class OpenListFields : public GridListFields {
  public:
    explicit OpenListFields(ListStore& store) : store_(store) {}

    int32_t fieldType(int column) const override;
    bool isKeyField(int column) const override;
    std::string storedValue(int32_t bookmark, int column) override;

  private:
    const ListField* field(int column) const;
    ListStore& store_;
};

#pragma once
// The list that is open: its name (empty when none) and its own copy of its fields, field i
// describing column i of its record table.
#include <string>
#include <vector>

#include "forms/FieldModel.h"

struct CurrentList {
    std::vector<ListField> fields{ListField{}};
    std::string name;
};

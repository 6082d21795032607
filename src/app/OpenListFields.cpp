#include "app/OpenListFields.h"

#include "lists/ListStore.h"

const ListField* OpenListFields::field(int column) const {
    const auto& fields = store_.current().fields;
    if (column < 1 || static_cast<size_t>(column) > fields.size()) return nullptr;
    return &fields[column - 1];
}

int32_t OpenListFields::fieldType(int column) const {
    const ListField* f = field(column);
    return f ? f->type : 0;
}

bool OpenListFields::isKeyField(int column) const {
    const ListField* f = field(column);
    return f && f->key;
}

std::string OpenListFields::storedValue(int32_t bookmark, int column) {
    if (!field(column) || !store_.tables().goToBookmark(bookmark)) return {};
    return store_.fieldValueText(column);
}

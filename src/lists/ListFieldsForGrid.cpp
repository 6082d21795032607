#include "lists/ListFieldsForGrid.h"

const ListField* ListFieldsForGrid::field(int column) const {
    const auto& fields = store_.current().fields;
    if (column < 1 || column > static_cast<int>(fields.size())) return nullptr;
    return &fields[column - 1];
}

int32_t ListFieldsForGrid::fieldType(int column) const {
    const ListField* f = field(column);
    return f ? f->type : 0;
}

bool ListFieldsForGrid::isKeyField(int column) const {
    const ListField* f = field(column);
    return f && f->key;
}

std::string ListFieldsForGrid::storedValue(int32_t bookmark, int column) {
    RecordBatch batch(store_.tables());
    std::string value;
    if (store_.tables().goToBookmark(bookmark)) value = store_.fieldValueText(column);
    batch.commit();
    return value;
}

#include "links/CellLinkAction.h"

#include "grid/RecordGrid.h"

void cellLinkAction(const RecordGrid& grid, GridListFields& fields, int x, int y,
                    LinkServices& services) {
    const int column = grid.columnAt(x);
    const int row = grid.rowAt(y);
    if (column < 1 || row < 1 || column > grid.columnCount() || row > grid.rowCount()) return;
    const int32_t type = fields.fieldType(column);
    if (!isLinkType(type)) return;
    linkValueAction(type, fields.storedValue(grid.rowRecord(row).bookmark, column), services);
}

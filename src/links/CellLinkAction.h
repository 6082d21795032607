#pragma once
// The link action of a left release on the grid's data canvas.
#include "grid/GridListFields.h"
#include "links/CellLinks.h"

class RecordGrid;

// Opens (or with Alt copies) the address of the Link, QqLink or FtpLink cell at (x, y) of the data
// canvas, reading the record's stored value through fields. Anything else, or a point outside the
// cells, does nothing.
void cellLinkAction(const RecordGrid& grid, GridListFields& fields, int x, int y,
                    LinkServices& services);

#pragma once
// A grid attached to five recording canvases, a recording tooltip facility and a fake open list.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "grid/RecordGrid.h"
#include "support/RecordingCanvas.h"
#include "support/RecordingTooltipHost.h"

class FakeListFields : public GridListFields {
  public:
    std::vector<int32_t> types;  // per column, from column 1
    std::vector<bool> keys;
    std::map<std::pair<int32_t, int>, std::string> stored;  // (bookmark, column) -> value
    int storedReads = 0;

    int32_t fieldType(int column) const override {
        return column >= 1 && column <= static_cast<int>(types.size()) ? types[column - 1] : 0;
    }
    bool isKeyField(int column) const override {
        return column >= 1 && column <= static_cast<int>(keys.size()) && keys[column - 1];
    }
    std::string storedValue(int32_t bookmark, int column) override {
        ++storedReads;
        auto it = stored.find({bookmark, column});
        return it == stored.end() ? std::string() : it->second;
    }
};

struct GridFixture {
    RecordingCanvas header, data, container, hBar, vBar;
    RecordingTooltipHost tooltips;
    FakeListFields fields;
    RecordGrid grid;

    // The container's size; the data canvas gets width × (height − 24).
    explicit GridFixture(int width = 500, int height = 400, int glyphWidth = 15) {
        data.glyphWidth = glyphWidth;
        grid.attach({&header, &data, &container, &hBar, &vBar}, &tooltips, &fields);
        grid.setBounds(0, 0, width, height);
    }

    void addColumns(const std::vector<int>& widths) {
        for (int w : widths) grid.addColumn("c" + std::to_string(grid.columnCount() + 1), w, true);
    }
    // Rows of texts "r<row>c<column>".
    void addRows(int count) {
        for (int r = 0; r < count; ++r) {
            std::vector<std::string> cells;
            const int row = grid.rowCount() + 1;
            for (int c = 1; c <= grid.columnCount(); ++c) {
                cells.push_back("r" + std::to_string(row) + "c" + std::to_string(c));
            }
            grid.addRow(cells, 1000 + row, false, true);
        }
    }
    void forgetDrawing() {
        for (RecordingCanvas* canvas : {&header, &data, &container, &hBar, &vBar}) {
            canvas->ops.clear();
        }
    }
};

#pragma once
// Holds the grid's lock and brackets a grid operation's drawing on all five canvases: the
// outermost batch makes what was drawn visible when it ends.
#include <array>
#include <mutex>

#include "grid/RecordGrid.h"

class RecordGrid::PaintBatch {
  public:
    explicit PaintBatch(const RecordGrid& grid)
        : lock_(grid.mutex_),
          canvases_{grid.container_, grid.headerCanvas_, grid.dataCanvas_, grid.hBar_, grid.vBar_} {
        for (Canvas* canvas : canvases_) canvas->beginPaint();
    }
    ~PaintBatch() {
        for (auto it = canvases_.rbegin(); it != canvases_.rend(); ++it) (*it)->endPaint();
    }
    PaintBatch(const PaintBatch&) = delete;
    PaintBatch& operator=(const PaintBatch&) = delete;

  private:
    std::lock_guard<std::recursive_mutex> lock_;
    std::array<Canvas*, 5> canvases_;
};

#pragma once
// A grid row and a grid column as callers see them. Texts are GBK.
#include <cstdint>
#include <string>
#include <vector>

struct GridRow {
    std::vector<std::string> cells;  // display texts, one per column after any reshaping
    int32_t bookmark = 0;            // the record's bookmark in the open list's table
    bool operator==(const GridRow&) const = default;
};

struct GridColumn {
    static constexpr int32_t kDefaultWidth = 88;
    int32_t width = kDefaultWidth;
    std::string title;
    bool operator==(const GridColumn&) const = default;
};

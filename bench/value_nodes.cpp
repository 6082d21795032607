// Value nodes for 25,000, 50,000 and 100,000 distinct key values: rebuilding the value nodes of a
// list whose records all differ, with another list of 100,000 values after it in the tree (so
// that every insertion has that many items behind it). Linear growth doubles the time with the
// count; a cost growing with the square of it would quadruple.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "PrintedDialogs.h"
#include "RatioReporter.h"
#include "lists/ListTreeController.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"
#include "platform/sqlite/SqliteRecordTable.h"
#include "settings/SettingsStore.h"
#include "support/FakeListGrid.h"

namespace {

constexpr int kCounts[] = {25000, 50000, 100000};
constexpr int kValuesAfter = 100000;

struct Folder {
    Folder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "listaro-bench-XXXXXX").string();
        path = mkdtemp(pattern.data()) ? pattern : std::string("/tmp");
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::string path;
};

// A shown list of `count` records with distinct platforms, and a second list after it.
struct Lists {
    Folder dir;
    SqliteRecordTable tables;
    SettingsStore settings;
    PrintedDialogs dialogs;
    CurrentList current;
    ListStore store{dir.path, tables, settings, dialogs, current};
    ListTree tree;
    FakeListGrid grid;
    TreeNavigation navigation;
    bool suppress = false;
    ListTreeController controller{tree, store, grid, settings, dialogs, navigation, suppress};

    explicit Lists(int count) {
        settings.open(dir.path + "/settings.ini");
        FormSpec form{"A", {{GBK("平台"), FieldType::Text, 20, 0, true}}};
        store.createList(form);
        store.saveListState(false);
        store.openList("A");
        {
            RecordBatch batch(tables);
            for (int i = 0; i < count; ++i) {
                tables.addBlankRecord();
                tables.write(1, GBK("平台") + std::to_string(i));
            }
            batch.commit();
        }
        int a = tree.addItem(-1, {"A", TreeImage::List, TreeImage::List, 0});
        tree.addItem(a, {GBK("平台"), TreeImage::KeyField, TreeImage::KeyField, 1});
        int b = tree.addItem(-1, {"B", TreeImage::List, TreeImage::List, 0});
        int key = tree.addItem(b, {GBK("平台"), TreeImage::KeyField, TreeImage::KeyField, 1});
        for (int i = 0; i < kValuesAfter; ++i)
            tree.addItem(key, {"b" + std::to_string(i), TreeImage::Value, TreeImage::Value, i});
        tree.select(a);
    }
};

Lists& listsOf(int count) {
    static std::map<int, std::unique_ptr<Lists>> made;
    auto& lists = made[count];
    if (!lists) lists = std::make_unique<Lists>(count);
    return *lists;
}

void BM_ValueNodes(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Lists& lists = listsOf(count);
    for (auto _ : state) lists.controller.rebuildValueNodes();
    if (lists.tree.count() != 2 + count + 2 + kValuesAfter)
        state.SkipWithError("the value nodes are not all there");
}

BENCHMARK(BM_ValueNodes)
    ->Arg(kCounts[0])
    ->Arg(kCounts[1])
    ->Arg(kCounts[2])
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double base = reporter.timeOf("BM_ValueNodes/" + std::to_string(kCounts[0]) + "/");
    for (int count : kCounts) {
        const double time = reporter.timeOf("BM_ValueNodes/" + std::to_string(count) + "/");
        const double scale = static_cast<double>(count) / kCounts[0];
        std::printf(
            "value nodes %6d: %7.1f ms (%.2f us a node)   x%.0f the values of %d: x%.1f the time "
            "(linear x%.0f, square x%.0f)\n",
            count, time, time * 1000 / count, scale, kCounts[0], base > 0 ? time / base : 0.0,
            scale, scale * scale);
    }
}

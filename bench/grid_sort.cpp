// Sorting a million grid rows by a text column and by an integer column, each beside
// std::stable_sort of the same keys (the texts themselves, or the integers already read). The
// grid's sort includes reading the keys from its rows and putting the rows in their new order.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "grid/GridSort.h"
#include "grid/RecordGrid.h"
#include "platform/TextCodec.h"

namespace {

constexpr int kRows = 1000000;

// Texts like a list's "platform" column: provider, service and a number ("景安镜像384").
const std::vector<std::string>& platformTexts() {
    static const std::vector<std::string> texts = [] {
        const char* providers[] = {"景安",   "阿里云", "腾讯云",     "京东云",   "UCloud",
                                   "华为云", "天翼云", "百度智能云", "西部数码", "新网"};
        const char* services[] = {"镜像", "图片", "接口", "主站", "下载", "邮件", "博客", "论坛"};
        std::mt19937 random(1);
        std::vector<std::string> result(kRows);
        for (std::string& text : result)
            text = utf8ToGbk(std::string(providers[random() % 10]) + services[random() % 8] +
                             std::to_string(random() % 2000));
        return result;
    }();
    return texts;
}

// Texts of an integer column: signed numbers of up to six digits.
const std::vector<std::string>& integerTexts() {
    static const std::vector<std::string> texts = [] {
        std::mt19937 random(2);
        std::vector<std::string> result(kRows);
        for (std::string& text : result) text = std::to_string(int(random() % 2000000) - 1000000);
        return result;
    }();
    return texts;
}

// Rows of three cells: a platform text, an integer text and the row's first position, by which
// the rows are put back between runs.
RecordGrid& filledGrid() {
    static RecordGrid grid;
    static bool filled = [] {
        for (const char* title : {"platform", "number", "position"})
            grid.addColumn(title, 100, true);
        for (int i = 0; i < kRows; ++i)
            grid.addRow({platformTexts()[i], integerTexts()[i], std::to_string(i)}, i + 1, false,
                        true);
        return true;
    }();
    (void)filled;
    return grid;
}

void sortColumn(benchmark::State& state, int column, int32_t kind) {
    RecordGrid& grid = filledGrid();
    for (auto _ : state) {
        state.PauseTiming();
        grid.sortByColumn(3, true, SortKeyKind::LeadingInteger);
        state.ResumeTiming();
        grid.sortByColumn(column, true, kind);
    }
}

template <class Key>
void stableSortKeys(benchmark::State& state, const std::vector<Key>& keys) {
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Key> copy = keys;
        state.ResumeTiming();
        std::stable_sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy);
    }
}

void BM_SortTextColumn(benchmark::State& state) {
    sortColumn(state, 1, SortKeyKind::Bytes);
}
void BM_StableSortTexts(benchmark::State& state) {
    stableSortKeys(state, platformTexts());
}
void BM_SortIntegerColumn(benchmark::State& state) {
    sortColumn(state, 2, SortKeyKind::LeadingInteger);
}
void BM_StableSortIntegers(benchmark::State& state) {
    static const std::vector<int32_t> keys = [] {
        std::vector<int32_t> result;
        for (const std::string& text : integerTexts())
            result.push_back(int32_t(integerSortKey(SortKeyKind::LeadingInteger, text)));
        return result;
    }();
    stableSortKeys(state, keys);
}

BENCHMARK(BM_SortTextColumn)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StableSortTexts)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SortIntegerColumn)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StableSortIntegers)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    filledGrid();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("BM_SortTextColumn", "BM_StableSortTexts", 1.5);
    reporter.printRatio("BM_SortIntegerColumn", "BM_StableSortIntegers", 1.5);
}

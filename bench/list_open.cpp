// Opening a list of 1,000,000 records of the sample form (2,000 distinct platforms) until every
// grid row is built and every value node exists, beside the sqlite3 shell printing the same
// table to /dev/null; and the same load into a grid that only counts the rows, which is the list
// code's own share. The table is made once from the generator's records and kept beside this
// program for later runs.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "PrintedDialogs.h"
#include "RatioReporter.h"
#include "forms/FieldText.h"
#include "lists/ListTreeController.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "platform/sqlite/SqliteRecordTable.h"
#include "platform/sqlite/TableFiles.h"
#include "settings/SettingsStore.h"
#include "support/GridFixture.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRows = 1000000;
constexpr int kKeys = 2000;

// The run directory of the benchmark's list (ASCII, so the same in GBK and on disk).
std::string runDirectory() {
    return (fs::read_symlink("/proc/self/exe").parent_path() / "list-open-data").string();
}

const std::string& listName() {
    return GBK("示例表单");
}

// The fields of one generated line: quoted, separated by commas, GBK (whose second bytes are
// never a quote or a comma).
std::vector<std::string> csvFields(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields;
    if (line.size() < 2) return fields;
    line = line.substr(1, line.size() - 2);
    for (size_t p = 0;;) {
        size_t end = line.find("\",\"", p);
        fields.push_back(line.substr(p, end == std::string::npos ? std::string::npos : end - p));
        if (end == std::string::npos) break;
        p = end + 3;
    }
    return fields;
}

// Creates the list with the program's own store, then fills its table straight from the
// generator's lines in one transaction.
bool prepareList() {
    const std::string ready = runDirectory() + "/ready";
    if (fs::exists(ready)) return true;
    fs::remove_all(runDirectory());
    fs::create_directories(runDirectory());
    std::string tablePath;
    {
        SqliteRecordTable tables;
        SettingsStore settings;
        settings.open(runDirectory() + "/settings.ini");
        PrintedDialogs dialogs;
        CurrentList current;
        ListStore store(runDirectory(), tables, settings, dialogs, current);
        if (store.createList({listName(), parseFormFieldText(sampleFieldText())}) != listName())
            return false;
        store.saveListState(false);
        tablePath = diskPath(store.listTablePath(listName()));
    }
    std::fprintf(stderr, "making the table of %d records once...\n", kRows);
    std::string command = std::string(LISTARO_SOURCE_DIR) + "/../shared/tools/gen-records --rows " +
                          std::to_string(kRows) + " --keys " + std::to_string(kKeys);
    FILE* lines = popen(command.c_str(), "r");
    sqlite3* db = nullptr;
    if (!lines || sqlite3_open(tablePath.c_str(), &db) != SQLITE_OK) return false;
    std::string insert = "INSERT INTO records(";
    for (int c = 1; c <= 12; ++c) insert += (c > 1 ? "," : "") + storedColumnName(c);
    insert += ") VALUES(?,?,?,?,?,?,?,?,?,?,?,?)";
    sqlite3_stmt* statement = nullptr;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_prepare_v2(db, insert.c_str(), -1, &statement, nullptr);
    char* buffer = nullptr;
    size_t capacity = 0;
    int rows = 0;
    for (bool header = true; getline(&buffer, &capacity, lines) > 0; header = false) {
        if (header) continue;
        std::string line(buffer);
        if (!line.empty() && line.back() == '\n') line.pop_back();
        std::vector<std::string> fields = csvFields(line);
        fields.resize(12);
        for (int c = 0; c < 12; ++c)
            sqlite3_bind_text(statement, c + 1, fields[c].data(),
                              static_cast<int>(fields[c].size()), SQLITE_TRANSIENT);
        sqlite3_step(statement);
        sqlite3_reset(statement);
        ++rows;
    }
    free(buffer);
    sqlite3_finalize(statement);
    bool ok = pclose(lines) == 0 && rows == kRows &&
              sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    if (ok) std::ofstream(ready) << rows;
    return ok;
}

// Takes the rows without keeping them: what the list code alone costs.
class CountingGrid : public ListGrid {
  public:
    void clearRows(bool) override { rows = 0; }
    void clearColumns(bool) override { columns = 0; }
    void addColumn(const std::string&, std::optional<int>, bool, bool) override { ++columns; }
    int columnCount() const override { return columns; }
    void addRow(const std::vector<std::string>&, int32_t, bool, bool, bool) override { ++rows; }
    void addRowViews(const std::vector<std::string_view>&, int32_t, bool, bool) override { ++rows; }
    void setRow(int, const std::optional<std::vector<std::string>>&, std::optional<int32_t>, bool,
                bool) override {}
    int autoFitColumns(int, int, bool, bool, int) override { return 0; }
    void scrollColumns(std::optional<int>, std::optional<int>, int, int, bool) override {}
    int rows = 0;
    int columns = 0;
};

// Everything a list load touches, made afresh for each run.
struct Program {
    explicit Program(bool intoRecordGrid) : intoRecordGrid(intoRecordGrid) {
        settings.open(runDirectory() + "/settings.ini");
        int list = tree.addItem(-1, {listName(), TreeImage::List, TreeImage::List, 0});
        tree.addItem(list, {GBK("平台"), TreeImage::KeyField, TreeImage::KeyField, 1});
    }
    int rowCount() const { return intoRecordGrid ? grid.grid.rowCount() : counted.rows; }

    bool intoRecordGrid;
    SqliteRecordTable tables;
    SettingsStore settings;
    PrintedDialogs dialogs;
    CurrentList current;
    ListStore store{runDirectory(), tables, settings, dialogs, current};
    ListTree tree;
    GridFixture grid{1200, 800};
    CountingGrid counted;
    TreeNavigation navigation;
    bool suppress = false;
    ListTreeController controller{
        tree,     store,   intoRecordGrid ? static_cast<ListGrid&>(grid.grid) : counted,
        settings, dialogs, navigation,
        suppress, [] {}};
};

double processSeconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
}

// Both sides report their CPU time: the machine is shared, and the shell's time is a child's.
void openTheList(benchmark::State& state, bool intoRecordGrid) {
    std::unique_ptr<Program> program;
    for (auto _ : state) {
        program.reset();
        program = std::make_unique<Program>(intoRecordGrid);
        double start = processSeconds();
        program->tree.select(0);
        state.SetIterationTime(processSeconds() - start);
    }
    if (program->rowCount() != kRows || program->tree.count() != 2 + kKeys)
        state.SkipWithError("the list did not load whole");
}

void BM_OpenAMillionRecordList(benchmark::State& state) {
    openTheList(state, true);
}
void BM_OpenWithoutKeepingTheRows(benchmark::State& state) {
    openTheList(state, false);
}

void BM_Sqlite3ShellPrintsTheTable(benchmark::State& state) {
    std::string table = runDirectory() + "/程序数据/示例表单.edb";
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        char program[] = "sqlite3";
        char query[] = "SELECT * FROM records;";
        char* args[] = {program, table.data(), query, nullptr};
        pid_t child = 0;
        if (posix_spawnp(&child, program, &actions, nullptr, args, environ) != 0) {
            state.SkipWithError("no sqlite3 shell");
            break;
        }
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        state.SetIterationTime(seconds(usage.ru_utime) + seconds(usage.ru_stime));
    }
}

BENCHMARK(BM_OpenAMillionRecordList)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->UseManualTime()
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenWithoutKeepingTheRows)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->UseManualTime()
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Sqlite3ShellPrintsTheTable)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->UseManualTime()
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    // The runs of the three take turns, so that a busy spell of the shared machine falls on each.
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    argc = static_cast<int>(args.size());
    argv = args.data();
    benchmark::Initialize(&argc, argv);
    if (!prepareList()) {
        std::fprintf(stderr, "could not make the benchmark's list\n");
        return 1;
    }
    RatioReporter reporter(true);  // the times each run reported itself
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("BM_OpenAMillionRecordList", "BM_Sqlite3ShellPrintsTheTable", 1.0);
    reporter.printRatio("BM_OpenWithoutKeepingTheRows", "BM_Sqlite3ShellPrintsTheTable");
}

// Writes batches to a record table until killed: batch k adds two records (text "k-1" and
// "k-2", integer k, a long text made from k) and sets record 1's integer to k. After each commit
// it prints k on its own line. Usage: batch_writer <table path>
#include <cstdio>
#include <string>

#include "platform/sqlite/SqliteRecordTable.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    SqliteRecordTable table;
    if (!table.open(argv[1], "t") || !table.goTo(1)) return 3;
    RecordValue counter;
    if (!table.read(2, counter)) return 3;
    for (int32_t k = std::get<int32_t>(counter) + 1;; ++k) {
        RecordBatch batch(table);
        for (int i = 1; i <= 2; ++i) {
            table.addBlankRecord();
            table.write(1, std::to_string(k) + "-" + std::to_string(i));
            table.write(2, k);
            table.write(3, std::string(1000 + k % 500, static_cast<char>('a' + k % 26)));
        }
        table.goTo(1);
        table.write(2, k);
        if (!batch.commit()) return 4;
        std::printf("%d\n", k);
        std::fflush(stdout);
    }
}

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <set>
#include <thread>

#include "platform/sqlite/SqliteRecordTable.h"
#include "support/TempDir.h"

namespace {

// Lines of numbers read so far from the writer's output.
struct Reports {
    std::string text;
    std::set<int> numbers() const {
        std::set<int> reported;
        for (size_t p = 0, nl; (nl = text.find('\n', p)) != std::string::npos; p = nl + 1)
            reported.insert(std::stoi(text.substr(p, nl - p)));
        return reported;
    }
    bool readSome(int fd) {
        char buffer[4096];
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) return false;
        text.append(buffer, n);
        return true;
    }
};

// Runs the batch writer on path until it has reported some batches, kills it a random moment
// later and returns the batches it reported committed.
std::set<int> runAndKill(const std::string& path, std::chrono::milliseconds extraLifetime) {
    int out[2];
    if (pipe(out) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string program = std::string(LISTARO_TEST_HELPERS_DIR) + "/batch_writer";
    char* args[] = {program.data(), const_cast<char*>(path.c_str()), nullptr};
    pid_t child = 0;
    int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    EXPECT_EQ(spawned, 0);
    Reports reports;
    while (reports.numbers().size() < 2 && reports.readSome(out[0])) {
    }
    std::this_thread::sleep_for(extraLifetime);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << WEXITSTATUS(status);
    while (reports.readSome(out[0])) {
    }
    close(out[0]);
    return reports.numbers();
}

TEST(RecordTableKill, EveryCommittedBatchSurvivesAKillAndNoneIsHalfWritten) {
    TempDir folder;
    std::string path = folder.path() + "/killed.edb";
    {
        SqliteRecordTable table;
        ASSERT_TRUE(table.create(path, {{"text", ColumnType::Text, 20},
                                        {"k", ColumnType::Integer, 0},
                                        {"memo", ColumnType::LongText, 0}}));
        ASSERT_TRUE(table.open(path, "t"));
        ASSERT_TRUE(table.addBlankRecord());  // record 1 counts the batches
    }
    std::mt19937 random(12345);
    std::set<int> reported;
    for (int round = 0; round < 8; ++round) {
        auto now = runAndKill(path, std::chrono::milliseconds(random() % 200));
        reported.insert(now.begin(), now.end());

        SqliteRecordTable table;
        ASSERT_TRUE(table.open(path, "t")) << "round " << round << ": " << table.lastErrorMessage();
        ASSERT_TRUE(table.goTo(1));
        RecordValue value;
        ASSERT_TRUE(table.read(2, value));
        int counter = std::get<int32_t>(value);
        std::map<int, int> partsOfBatch;
        for (int r = 2; r <= table.recordCount(); ++r) {
            ASSERT_TRUE(table.goTo(r));
            RecordValue text, k, memo;
            ASSERT_TRUE(table.read(1, text) && table.read(2, k) && table.read(3, memo));
            int batch = std::get<int32_t>(k);
            int part = (r - 2) % 2 + 1;
            ASSERT_EQ(std::get<std::string>(text),
                      std::to_string(batch) + "-" + std::to_string(part));
            ASSERT_EQ(std::get<std::string>(memo),
                      std::string(1000 + batch % 500, static_cast<char>('a' + batch % 26)));
            ++partsOfBatch[batch];
        }
        // Batches are numbered without gaps, each complete, the counter at the last.
        ASSERT_EQ(static_cast<int>(partsOfBatch.size()), counter) << "round " << round;
        for (const auto& [batch, parts] : partsOfBatch) ASSERT_EQ(parts, 2) << "batch " << batch;
        ASSERT_FALSE(now.empty()) << "round " << round;
        EXPECT_GE(counter, *reported.rbegin()) << "round " << round;
    }
}

}  // namespace

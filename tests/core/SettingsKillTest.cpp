// A process killed in the middle of settings writes leaves a file that loads, holding a complete
// state: the writer's values check themselves, so a half-written or half-shifted file shows.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "platform/GbkText.h"
#include "platform/NumberText.h"
#include "settings/SettingsStore.h"
#include "support/TempDir.h"

extern char** environ;

namespace {

// Starts the writer on path and returns its process id once it reports the file open.
pid_t startWriter(const std::string& path) {
    int out[2];
    if (::pipe(out) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string program = LISTARO_TEST_HELPERS_DIR "/settings_writer";
    char* args[] = {program.data(), const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, args, environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    char ready[6] = {};
    if (pid > 0 && ::read(out[0], ready, 6) != 6) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
    ::close(out[0]);
    return pid;
}

// True when value is what the writer writes for some i.
bool isCheckedValue(const std::string& value) {
    int i = integerValue(value);
    std::string expected = std::to_string(i) + ":" +
                           std::string(static_cast<size_t>(1000 + (i * 7919) % 20000),
                                       static_cast<char>('a' + i % 26)) +
                           ":" + std::to_string(i);
    return i > 0 && value == expected;
}

// Checks every line of a writer's file; returns its counter.
int checkWriterFile(const std::string& content) {
    std::vector<std::string> lines = splitText(content, "\r\n");
    EXPECT_EQ(lines.front(), "[w]");
    int counter = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.rfind("n=", 0) == 0) {
            counter = integerValue(line.substr(2));
            EXPECT_EQ(line, "n=" + std::to_string(counter));
        } else {
            size_t equals = line.find('=');
            EXPECT_TRUE(line[0] == 'v' && equals != std::string::npos && equals <= 3 &&
                        isCheckedValue(line.substr(equals + 1)))
                << "line " << i << " starts " << line.substr(0, 40);
        }
    }
    return counter;
}

TEST(SettingsKill, AWriterKilledAtAnyMomentLeavesACompleteFile) {
    TempDir dir;
    const std::string path = dir.file("s.ini");
    std::mt19937 random(7);
    int lastCounter = 0;
    for (int round = 0; round < 15; ++round) {
        pid_t writer = startWriter(path);
        ASSERT_GT(writer, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + random() % 60));
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);

        SettingsStore store;
        ASSERT_TRUE(store.open(path)) << "the lock dies with its process";
        if (store.content().empty()) continue;  // killed before the first write
        int counter = checkWriterFile(store.content());
        EXPECT_GE(counter, lastCounter) << "round " << round;
        lastCounter = counter;
        store.selectSection("w");
        EXPECT_EQ(store.readNumber("n"), counter);
    }
    EXPECT_GT(lastCounter, 0);
}

}  // namespace

// Writes settings without end, for a test that kills it at random moments: under section "w", the
// counter "n" and twenty values "v0".."v19" of changing length that check themselves:
// i ":" (a letter repeated) ":" i, the letter and length derived from i. Prints "ready" once the
// file is open.
#include <cstdio>
#include <string>

#include "settings/SettingsStore.h"

std::string checkedValue(int i) {
    return std::to_string(i) + ":" +
           std::string(static_cast<size_t>(1000 + (i * 7919) % 20000),
                       static_cast<char>('a' + i % 26)) +
           ":" + std::to_string(i);
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    SettingsStore store;
    if (!store.open(argv[1])) return 3;
    store.selectSection("w");
    int next = static_cast<int>(store.readNumber("n")) + 1;
    std::printf("ready\n");
    std::fflush(stdout);
    for (int i = next;; ++i) {
        store.writeText("v" + std::to_string(i % 20), checkedValue(i));
        store.writeNumber("n", i);
    }
}

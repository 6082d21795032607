// Start-up until the main window is shown, beside a bare Qt window doing the same. Each sample is
// a whole process: this program starts itself in one of two child modes and waits for it to end.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMainWindow>
#include <QWindow>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "RatioReporter.h"
#include "app/qt/Program.h"
#include "platform/qt/Fonts.h"

extern char** environ;

namespace {

std::string selfPath;
std::string runDirectory;

// Runs the event loop until the window is on the screen, then ends the process.
int waitUntilShown(QWidget* window) {
    while (!(window->windowHandle() && window->windowHandle()->isExposed())) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return 0;
}

int runProgramChild(int argc, char** argv) {
    QApplication app(argc, argv);
    installFontSubstitutes();
    Program program;
    if (!program.start(QCoreApplication::applicationFilePath(), argv[2])) return 1;
    return waitUntilShown(program.window());
}

int runBareChild(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1192, 656);
    window.show();
    return waitUntilShown(&window);
}

void runChild(benchmark::State& state, const char* mode) {
    for (auto _ : state) {
        char* args[] = {selfPath.data(), const_cast<char*>(mode), runDirectory.data(), nullptr};
        auto begin = std::chrono::steady_clock::now();
        pid_t pid = -1;
        int status = 0;
        if (posix_spawn(&pid, selfPath.c_str(), nullptr, nullptr, args, environ) != 0 ||
            ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the child did not start and end cleanly");
            return;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
    }
}

void BM_BareQtWindowShown(benchmark::State& state) {
    runChild(state, "--bare");
}

void BM_ListaroStartupWindowShown(benchmark::State& state) {
    runChild(state, "--program");
}

BENCHMARK(BM_BareQtWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_ListaroStartupWindowShown)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--program") return runProgramChild(argc, argv);
    if (argc >= 3 && std::string(argv[1]) == "--bare") return runBareChild(argc, argv);
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    selfPath = std::filesystem::canonical("/proc/self/exe").string();
    // A run directory of its own: the first sample seeds the settings, the others read them.
    std::string pattern =
        (std::filesystem::temp_directory_path() / "listaro-bench-XXXXXX").string();
    runDirectory = ::mkdtemp(pattern.data()) ? pattern : std::string("/tmp");
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(true);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("BM_ListaroStartupWindowShown", "BM_BareQtWindowShown");
    benchmark::Shutdown();
    std::filesystem::remove_all(runDirectory);
    return 0;
}

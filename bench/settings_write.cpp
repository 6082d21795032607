// One settings change on a file holding 500 list definitions (the whole file is rewritten beside
// the old one, flushed to the disk and renamed over it), beside `cp` rewriting a file of the same
// size.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "RatioReporter.h"
#include "forms/FieldText.h"
#include "platform/TextCodec.h"
#include "settings/SettingsStore.h"

extern char** environ;

namespace {

std::string folder;

std::string settingsWithLists(int lists) {
    std::string listFields = formatFieldText(parseFieldText(sampleFieldText(), 6), true);
    std::string content = GBK("[表单库]\r\n1_字段=") + sampleFieldText() +
                          GBK("\r\n1_名称=示例表单\r\n数量=1\r\n[使用表单库]");
    for (int n = 1; n <= lists; ++n) {
        content += "\r\n" + GBK("列表") + std::to_string(n) + "=" + listFields;
    }
    return content;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void BM_SettingsWriteWith500Lists(benchmark::State& state) {
    const std::string path = folder + "/settings.ini";
    const std::string content = settingsWithLists(500);
    writeFile(path, content);
    SettingsStore store;
    if (!store.open(path)) {
        state.SkipWithError("cannot open the settings file");
        return;
    }
    const std::string fields = formatFieldText(parseFieldText(sampleFieldText(), 6), true);
    int i = 0;
    for (auto _ : state) {
        store.selectSection(GBK("使用表单库"));
        // Alternate widths of one list so that every write changes the file.
        store.writeText(GBK("列表250"), fields + "|" + std::to_string(i++ % 2));
    }
    state.counters["file_bytes"] = static_cast<double>(store.content().size());
}

void BM_CpOfSameSizeFile(benchmark::State& state) {
    const std::string source = folder + "/source.ini";
    std::string target = folder + "/target.ini";
    std::string content = settingsWithLists(500);
    writeFile(source, content);
    std::string cp = "/bin/cp";
    std::string sourceArg = source;
    for (auto _ : state) {
        char* args[] = {cp.data(), sourceArg.data(), target.data(), nullptr};
        pid_t pid = -1;
        int status = 0;
        if (posix_spawn(&pid, cp.c_str(), nullptr, nullptr, args, environ) != 0 ||
            ::waitpid(pid, &status, 0) != pid || status != 0) {
            state.SkipWithError("cp failed");
            return;
        }
    }
    state.counters["file_bytes"] = static_cast<double>(content.size());
}

BENCHMARK(BM_SettingsWriteWith500Lists)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpOfSameSizeFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "listaro-bench-XXXXXX").string();
    folder = ::mkdtemp(pattern.data()) ? pattern : std::string("/tmp");
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(true);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("BM_SettingsWriteWith500Lists", "BM_CpOfSameSizeFile");
    benchmark::Shutdown();
    std::filesystem::remove_all(folder);
    return 0;
}

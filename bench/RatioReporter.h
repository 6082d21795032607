#pragma once
// Prints the benchmark runs as usual and keeps their CPU times, so that a program can print each
// figure beside the peer it is compared with.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    // wallTime: keep the real times instead, for runs whose work is mostly waiting (a child
    // process, the disk).
    explicit RatioReporter(bool wallTime = false) : wallTime_(wallTime) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            times_[run.benchmark_name()] =
                wallTime_ ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
        }
    }

    // The CPU time (steadier than wall time on a shared machine), or the wall time, of the run
    // whose name starts with prefix, the median one when there are repetitions; 0 when none ran.
    double timeOf(const std::string& prefix) const {
        double found = 0.0;
        for (const auto& [name, time] : times_) {
            if (name.rfind(prefix, 0) != 0) continue;
            if (name.ends_with("_median")) return time;
            if (found == 0.0) found = time;
        }
        return found;
    }

    // One line: ours and the peer with their times and the ratio, with its target when > 0.
    void printRatio(const std::string& ours, const std::string& peer, double target = 0,
                    const char* unit = "ms") const {
        const double a = timeOf(ours), b = timeOf(peer);
        if (a <= 0 || b <= 0) return;
        std::printf("%-26s %10.3f %s   %-26s %10.3f %s   ratio %.2f", ours.c_str(), a, unit,
                    peer.c_str(), b, unit, a / b);
        if (target > 0) std::printf(" (target <= %.1f)", target);
        std::printf("\n");
    }

  private:
    bool wallTime_;
    std::map<std::string, double> times_;
};

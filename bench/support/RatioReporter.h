// bench/support/RatioReporter.h
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace Bench {

// The console output of a benchmark run, plus every benchmark's real and CPU time per
// iteration, to print ratios of one benchmark to a baseline measured in the same run
// (absolute times on a shared machine mean little). A benchmark is named as the console
// names it: "BM_Frame", "BM_Frame/real_time", "BM_Frame/iterations:3000/real_time".
//
// With repetitions a benchmark's time is the chosen aggregate over them (the mean unless
// the constructor says otherwise); without, the time of its one run. Failed runs are left
// out. Times are kept in seconds, so benchmarks reported in different units compare.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    enum Clock { kRealTime, kCpuTime };

    // options: the console's, as ConsoleReporter takes them. statistic: the name of the
    // aggregate that stands for a benchmark run with repetitions ("mean", "median").
    explicit RatioReporter(OutputOptions options = OO_Defaults, std::string statistic = "mean")
        : ConsoleReporter(options), statistic(std::move(statistic)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) {
                continue;
            }
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name == statistic) {
                    Times& times = byName[run.run_name.str()];
                    times.aggregate = true;
                    times.real = seconds(run, run.GetAdjustedRealTime());
                    times.cpu = seconds(run, run.GetAdjustedCPUTime());
                }
            } else if (run.iterations > 0) {
                // Summed, so that repetitions reported without their aggregates still
                // average; an aggregate, reported after them, replaces the sums.
                Times& times = byName[run.run_name.str()];
                if (!times.aggregate) {
                    times.real += seconds(run, run.GetAdjustedRealTime());
                    times.cpu += seconds(run, run.GetAdjustedCPUTime());
                    ++times.runs;
                }
            }
        }
    }

    // measured's time over baseline's on the clock; negative when either benchmark has no
    // time (not run, filtered out or failed) or the baseline's is not positive.
    double ratio(Clock clock, const std::string& measured, const std::string& baseline) const {
        double m = 0.0;
        double b = 0.0;
        if (!timeOf(clock, measured, &m) || !timeOf(clock, baseline, &b) || b <= 0.0) {
            return -1.0;
        }
        return m / b;
    }

    // One line "ratio <label> <ratio>  (<measured> / <baseline>)", the label padded to a
    // column; nothing when ratio() has no answer.
    void printRatio(const char* label, Clock clock, const std::string& measured,
                    const std::string& baseline) const {
        const double value = ratio(clock, measured, baseline);
        if (value < 0.0) {
            return;
        }
        std::printf("ratio %-48s %6.2f  (%s / %s)\n", label, value, measured.c_str(),
                    baseline.c_str());
    }

private:
    struct Times {
        double real = 0.0;  // seconds; a sum over `runs` runs unless `aggregate`
        double cpu = 0.0;
        int runs = 0;
        bool aggregate = false;  // real and cpu are the chosen aggregate's
    };

    static double seconds(const Run& run, double adjusted) {
        return adjusted / benchmark::GetTimeUnitMultiplier(run.time_unit);
    }

    bool timeOf(Clock clock, const std::string& name, double* time) const {
        const auto found = byName.find(name);
        if (found == byName.end()) {
            return false;
        }
        const Times& times = found->second;
        const double total = clock == kRealTime ? times.real : times.cpu;
        if (times.aggregate) {
            *time = total;
            return true;
        }
        if (times.runs == 0) {
            return false;
        }
        *time = total / times.runs;
        return true;
    }

    std::string statistic;
    std::map<std::string, Times> byName;
};

}  // namespace Bench

// Parse-and-lookup of a generated 50 000-line configuration file ('KEY == value')
// against inih reading the equivalent INI file ('KEY = value') into an ordered map,
// each followed by a lookup of every key; and the calculator on '1+1+...+1' of 1 000
// and of 100 000 terms, whose time per term stays the same when evaluation is linear
// in the length of the expression. Prints ratios of times measured in this run;
// absolute times on a shared machine mean little.
#include <benchmark/benchmark.h>
#include <ini.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "CFG/Calculator.h"
#include "CFG/Info.h"
#include "bench/support/RatioReporter.h"

namespace {

constexpr int kLines = 50000;
constexpr int kFewTerms = 1000;
constexpr int kManyTerms = 100000;

struct Files {
    std::string directory;
    std::string cfg;
    std::string ini;
    std::vector<std::string> keys;
};

// Writes both files once: keys KEY_00000..., values of mixed numbers and words.
const Files& files() {
    static Files generated = [] {
        Files f;
        char pattern[] = "/tmp/quorlith-cfg-bench-XXXXXX";
        if (!mkdtemp(pattern)) {
            std::abort();
        }
        f.directory = pattern;
        f.cfg = f.directory + "/bench.cfg";
        f.ini = f.directory + "/bench.ini.txt";
        std::ofstream cfg(f.cfg);
        std::ofstream ini(f.ini);
        for (int i = 0; i < kLines; ++i) {
            std::string key = "KEY_" + std::to_string(100000 + i);
            std::string value =
                (i % 3 == 0) ? std::to_string(i * 7) : "value number " + std::to_string(i);
            cfg << key << " == " << value << "\n";
            ini << key << " = " << value << "\n";
            f.keys.push_back(key);
        }
        return f;
    }();
    return generated;
}

int storeEntry(void* user, const char* /*section*/, const char* name, const char* value) {
    (*static_cast<std::map<std::string, std::string>*>(user))[name] = value;
    return 1;
}

void BM_Inih_ParseAndLookup(benchmark::State& state) {
    const Files& f = files();
    for (auto _ : state) {
        std::map<std::string, std::string> entries;
        if (ini_parse(f.ini.c_str(), storeEntry, &entries) != 0) {
            state.SkipWithError("inih could not parse the file");
            return;
        }
        size_t total = 0;
        for (const std::string& key : f.keys) {
            auto found = entries.find(key);
            total += found == entries.end() ? 0 : found->second.size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_Inih_ParseAndLookup)->Unit(benchmark::kMillisecond);

void BM_Cfg_ParseAndLookup(benchmark::State& state) {
    const Files& f = files();
    for (auto _ : state) {
        CFG::Info info(f.cfg, nullptr);
        size_t total = 0;
        for (const std::string& key : f.keys) {
            total += info.get(key).size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_Cfg_ParseAndLookup)->Unit(benchmark::kMillisecond);

void BM_Cfg_ParseOnly(benchmark::State& state) {
    const Files& f = files();
    for (auto _ : state) {
        CFG::Info info(f.cfg, nullptr);
        benchmark::DoNotOptimize(&info);
    }
}
BENCHMARK(BM_Cfg_ParseOnly)->Unit(benchmark::kMillisecond);

void BM_Cfg_LookupOnly(benchmark::State& state) {
    const Files& f = files();
    CFG::Info info(f.cfg, nullptr);
    for (auto _ : state) {
        size_t total = 0;
        for (const std::string& key : f.keys) {
            total += info.get(key).size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_Cfg_LookupOnly)->Unit(benchmark::kMillisecond);

// '1+1+...+1' with the given number of terms.
std::string sumOfOnes(int terms) {
    std::string expression = "1";
    expression.reserve(2 * static_cast<size_t>(terms));
    for (int i = 1; i < terms; ++i) {
        expression += "+1";
    }
    return expression;
}

void BM_CalculatorSum(benchmark::State& state) {
    const int terms = static_cast<int>(state.range(0));
    const std::string expression = sumOfOnes(terms);
    for (auto _ : state) {
        CFG::Calculator calculator(expression);
        benchmark::DoNotOptimize(calculator.parse());
    }
    state.counters["per_term"] = benchmark::Counter(
        terms, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CalculatorSum)->Arg(kFewTerms)->Arg(kManyTerms)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const char* const measured = "BM_Cfg_ParseAndLookup";
    const char* const baseline = "BM_Inih_ParseAndLookup";
    std::cout << "ratio CFG::Info / inih, parse and lookup of " << kLines << " lines: real time "
              << reporter.ratio(Bench::RatioReporter::kRealTime, measured, baseline)
              << ", CPU time " << reporter.ratio(Bench::RatioReporter::kCpuTime, measured, baseline)
              << std::endl;
    const std::string many = "BM_CalculatorSum/" + std::to_string(kManyTerms);
    const std::string few = "BM_CalculatorSum/" + std::to_string(kFewTerms);
    const double termsRatio = static_cast<double>(kManyTerms) / kFewTerms;
    std::cout << "ratio of calculator time per term, " << kManyTerms << " / " << kFewTerms
              << " terms (linear: near 1): real time "
              << reporter.ratio(Bench::RatioReporter::kRealTime, many, few) / termsRatio
              << ", CPU time "
              << reporter.ratio(Bench::RatioReporter::kCpuTime, many, few) / termsRatio
              << std::endl;
    const Files& f = files();
    std::remove(f.cfg.c_str());
    std::remove(f.ini.c_str());
    rmdir(f.directory.c_str());
    return 0;
}

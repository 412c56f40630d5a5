#pragma once
// The benchmarks' reporter: Google Benchmark's console table while they run, then every figure
// again at the end, one "NAME: VALUE UNIT" line each, for scripts and people to pick up.

#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

namespace bench {

using Run = benchmark::BenchmarkReporter::Run;

// Prints the summary lines of one run.
using Summarize = std::function<void(const Run&)>;
// Prints lines that need every run, after the runs' own.
using Finish = std::function<void()>;

class SummaryReporter : public benchmark::ConsoleReporter {
public:
    SummaryReporter(Summarize summarize, Finish finish)
        : summarize_(std::move(summarize)), finish_(std::move(finish)) {}
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    Summarize summarize_;
    Finish finish_;
    std::vector<Run> runs_;
};

// The benchmark's name up to its first argument, and its arguments.
std::string GroupOf(const Run& run);
std::vector<long> ArgumentsOf(const Run& run);

// Runs the benchmarks the command line selects and reports them with the summary.
int RunAndSummarize(int argc, char** argv, Summarize summarize, Finish finish = {});

}  // namespace bench

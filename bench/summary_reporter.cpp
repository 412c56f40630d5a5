#include "summary_reporter.h"

#include <cstdio>
#include <cstdlib>

namespace bench {

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    runs_.insert(runs_.end(), runs.begin(), runs.end());
}

void SummaryReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::printf("\n");
    for (const Run& run : runs_)
        if (!run.error_occurred) summarize_(run);
    if (finish_) finish_();
}

std::string GroupOf(const Run& run) {
    const std::string name = run.benchmark_name();
    return name.substr(0, name.find('/'));
}

std::vector<long> ArgumentsOf(const Run& run) {
    const std::string name = run.benchmark_name();
    std::vector<long> arguments;
    for (std::size_t slash = name.find('/'); slash != std::string::npos; slash = name.find('/', slash + 1)) {
        char* end = nullptr;
        const long value = std::strtol(name.c_str() + slash + 1, &end, 10);
        if (end == name.c_str() + slash + 1) break;  // a suffix such as "real_time"
        arguments.push_back(value);
    }
    return arguments;
}

int RunAndSummarize(int argc, char** argv, Summarize summarize, Finish finish) {
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter(std::move(summarize), std::move(finish));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

}  // namespace bench

#include "BenchProject.h"
#include "RatioReporter.h"

#ifdef QM_BENCH_UI
#include <QApplication>
#else
#include <QCoreApplication>
#endif

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

namespace {

// The value of a --name=value flag, read before the library takes the flags away.
std::string FlagValue(int argc, char** argv, const char* name)
{
    const std::string prefix = std::string("--") + name + "=";
    std::string value;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0)
            value = argv[i] + prefix.size();
    }
    return value;
}

// A boolean flag given bare or as --name=true.
bool HasFlag(int argc, char** argv, const char* name)
{
    const std::string flag = std::string("--") + name;
    for (int i = 1; i < argc; ++i) {
        if (flag == argv[i] || flag + "=true" == argv[i])
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string outFile = FlagValue(argc, argv, "benchmark_out");
    const std::string outFormat = FlagValue(argc, argv, "benchmark_out_format");
    const bool listOnly = HasFlag(argc, argv, "benchmark_list_tests");

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
#ifdef QM_BENCH_UI
    // The list cases paint real widgets, and there is no display here.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif

    BenchProject project(BenchProject::cacheDirectory());
    if (!listOnly && !project.prepare()) {
        std::fprintf(stderr, "qm-bench: %s\n", qPrintable(project.error()));
        return 1;
    }

    RatioReporter display(benchmark::CreateDefaultDisplayReporter());
    // A JSON file gets the ratio counters too; any other format is left to the library.
    std::unique_ptr<benchmark::JSONReporter> json;
    std::unique_ptr<RatioReporter> file;
    if (!outFile.empty() && (outFormat.empty() || outFormat == "json")) {
        json = std::make_unique<benchmark::JSONReporter>();
        file = std::make_unique<RatioReporter>(json.get());
    }
    benchmark::RunSpecifiedBenchmarks(&display, file.get());
    project.close();
    benchmark::Shutdown();
    display.printSummary(std::cout);
    return 0;
}

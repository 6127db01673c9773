#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

// Passes every report on to another reporter. Benchmarks come in pairs,
// BM_<case>_Plain (the bare statement) and BM_<case>_Ours (the record layer);
// each Ours run gains the counters plain_ns and ratio, and the summary gives one
// ratio line per case that has both halves.
class RatioReporter : public benchmark::BenchmarkReporter
{
public:
    static constexpr double kTarget = 3.0;

    // `inner` must outlive this reporter.
    explicit RatioReporter(benchmark::BenchmarkReporter* inner);

    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<Run>& reports) override;
    void Finalize() override;

    // "ratio <case>: ours <t> / plain <t> = <r>x (target <= 3x)", in the order
    // the cases ran.
    void printSummary(std::ostream& out) const;

private:
    // Real time per iteration, averaged over repetitions.
    struct Timing
    {
        double totalSeconds = 0.0;
        int runs = 0;
        double seconds() const { return runs > 0 ? totalSeconds / runs : 0.0; }
    };
    struct Case
    {
        Timing ours, plain;         // from the runs themselves
        Timing oursMean, plainMean; // from the mean aggregates
        double oursSeconds() const { return ours.runs > 0 ? ours.seconds() : oursMean.seconds(); }
        double plainSeconds() const { return plain.runs > 0 ? plain.seconds() : plainMean.seconds(); }
    };

    benchmark::BenchmarkReporter* m_inner;
    std::vector<std::string> m_order;
    std::map<std::string, Case> m_cases;
};

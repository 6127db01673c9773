#include "RatioReporter.h"

#include <algorithm>
#include <cstdio>

namespace {

const std::string kPrefix = "BM_";
const std::string kOurs = "_Ours";
const std::string kPlain = "_Plain";

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The case a benchmark belongs to and which half it is; empty for others.
std::string CaseOf(const std::string& function, bool& ours)
{
    if (function.rfind(kPrefix, 0) != 0)
        return std::string();
    ours = EndsWith(function, kOurs);
    if (!ours && !EndsWith(function, kPlain))
        return std::string();
    const std::size_t suffix = ours ? kOurs.size() : kPlain.size();
    return function.substr(kPrefix.size(), function.size() - kPrefix.size() - suffix);
}

double Seconds(const benchmark::BenchmarkReporter::Run& run)
{
    return run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
}

std::string Readable(double seconds)
{
    char text[32];
    if (seconds >= 1.0)
        std::snprintf(text, sizeof text, "%.3f s", seconds);
    else if (seconds >= 1e-3)
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    else if (seconds >= 1e-6)
        std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
    else
        std::snprintf(text, sizeof text, "%.0f ns", seconds * 1e9);
    return text;
}

} // namespace

RatioReporter::RatioReporter(benchmark::BenchmarkReporter* inner) : m_inner(inner) {}

bool RatioReporter::ReportContext(const Context& context)
{
    // The library points this reporter, not the inner one, at the output file.
    m_inner->SetOutputStream(&GetOutputStream());
    m_inner->SetErrorStream(&GetErrorStream());
    return m_inner->ReportContext(context);
}

void RatioReporter::ReportRuns(const std::vector<Run>& reports)
{
    std::vector<Run> passed = reports;
    for (Run& run : passed) {
        bool ours = false;
        const std::string name = CaseOf(run.run_name.function_name, ours);
        if (name.empty() || run.error_occurred)
            continue;
        if (std::find(m_order.begin(), m_order.end(), name) == m_order.end())
            m_order.push_back(name);
        Case& entry = m_cases[name];
        // With --benchmark_report_aggregates_only only the mean is there to go by.
        const bool isMean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
        if (run.run_type == Run::RT_Iteration || isMean) {
            Timing& timing =
                isMean ? (ours ? entry.oursMean : entry.plainMean) : (ours ? entry.ours : entry.plain);
            timing.totalSeconds += Seconds(run);
            ++timing.runs;
        }
        const bool comparable = run.run_type == Run::RT_Iteration || run.aggregate_name == "mean" ||
                                run.aggregate_name == "median";
        if (ours && comparable && entry.plainSeconds() > 0.0) {
            const double plain = entry.plainSeconds();
            run.counters["plain_ns"] = benchmark::Counter(plain * 1e9);
            run.counters["ratio"] = benchmark::Counter(Seconds(run) / plain);
        }
    }
    m_inner->ReportRuns(passed);
}

void RatioReporter::Finalize()
{
    m_inner->Finalize();
}

void RatioReporter::printSummary(std::ostream& out) const
{
    for (const std::string& name : m_order) {
        const Case& entry = m_cases.at(name);
        const double ours = entry.oursSeconds();
        const double plain = entry.plainSeconds();
        if (ours <= 0.0 || plain <= 0.0)
            continue;
        char ratio[32];
        std::snprintf(ratio, sizeof ratio, "%.2f", ours / plain);
        out << "ratio " << name << ": ours " << Readable(ours) << " / plain " << Readable(plain) << " = "
            << ratio << "x (target <= " << kTarget << "x)\n";
    }
    out.flush();
}

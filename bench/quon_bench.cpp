// Benchmarks of the text layer: for each workload, reading (load) and writing
// (save) through the model's interface, against plain-code baselines over the
// very same text in the same run, and the peak memory allocated by one load.
// After the run a table of ratios to the baselines is printed, from the
// minimum of the repetitions (run with --benchmark_repetitions=N;
// scripts/bench.sh does).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "allocations.h"
#include "workload.h"

namespace {

using bench::Workload;

// What a workload is measured with.
enum class Measure { Load, Save, LoadSave, Strtod, Snprintf, Literal, Memcpy, FromChars, Memory };
constexpr const char* kMeasureNames[] = {"load",    "save",   "load+save",  "strtod", "snprintf",
                                         "literal", "memcpy", "from_chars", "memory"};

std::string BenchmarkName(const Workload& w, Measure m) {
    return w.Name() + "/" + kMeasureNames[static_cast<int>(m)];
}

double Minimum(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

UINT32 Capacity(const Workload& w) { return static_cast<UINT32>(w.Text().size() + 1); }

void Load(benchmark::State& state, Workload* w) {
    w->Renew();
    for (auto _ : state) benchmark::DoNotOptimize(w->Load());
}

void Save(benchmark::State& state, Workload* w) {
    w->Renew();
    bench::RequireOk(w->Load(), w->Name() + ": LoadFromBuffer");
    std::vector<char> buffer(Capacity(*w));
    UINT32 written = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(w->Save(buffer.data(), Capacity(*w), &written));
        benchmark::ClobberMemory();
    }
}

void LoadSave(benchmark::State& state, Workload* w) {
    w->Renew();
    std::vector<char> buffer(Capacity(*w));
    UINT32 written = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(w->Load());
        benchmark::DoNotOptimize(w->Save(buffer.data(), Capacity(*w), &written));
        benchmark::ClobberMemory();
    }
}

void Strtod(benchmark::State& state, Workload* w) {
    for (auto _ : state) benchmark::DoNotOptimize(bench::SumByStrtod(w->Text(), w->Numbers()));
}

void FromChars(benchmark::State& state, Workload* w) {
    for (auto _ : state) benchmark::DoNotOptimize(bench::SumByFromChars(w->Text(), w->Numbers()));
}

void Snprintf(benchmark::State& state, Workload* w) {
    // Room for the longer doubles of a printf rendering of JSON as well.
    std::vector<char> buffer(3 * w->Text().size() + 4096);
    for (auto _ : state) {
        benchmark::DoNotOptimize(w->Print(buffer.data(), buffer.size()));
        benchmark::ClobberMemory();
    }
}

void Literal(benchmark::State& state, Workload* w) {
    for (auto _ : state) benchmark::DoNotOptimize(w->ReadLiterally(w->Text()));
}

void Memcpy(benchmark::State& state, Workload* w) {
    std::vector<char> buffer(w->Text().size());
    for (auto _ : state) {
        std::memcpy(buffer.data(), w->Text().data(), buffer.size());
        benchmark::ClobberMemory();
    }
}

// Peak of the bytes allocated during one load into a new object, set up as
// a host sets it up; blocks freed during the load count against it.
void Memory(benchmark::State& state, Workload* w) {
    std::size_t peak = 0;
    for (auto _ : state) {
        w->Renew();
        bench::StartCounting();
        const HRESULT hr = w->Load();
        peak = bench::StopCounting();
        bench::RequireOk(hr, w->Name() + ": LoadFromBuffer");
    }
    state.counters["peak_bytes"] = static_cast<double>(peak);
    state.counters["peak_x_text"] = static_cast<double>(peak) / static_cast<double>(w->Text().size());
}

// Keeps the minimum of each benchmark's repetitions (or its only run) for
// the ratio table, and prints the usual console output (in colour on a
// terminal only).
class Collector final : public benchmark::ConsoleReporter {
public:
    Collector() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    struct Result {
        double seconds = 0.0;  // CPU time per iteration
        double peakMultiple = 0.0;
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool minimum = run.run_type == Run::RT_Aggregate && run.aggregate_name == "min";
            const bool only = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (run.error_occurred || (!minimum && !only)) continue;
            Result& result = m_results[run.run_name.function_name];
            result.seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const auto peak = run.counters.find("peak_x_text");
            if (peak != run.counters.end()) result.peakMultiple = peak->second.value;
        }
    }

    const Result* Find(const Workload& w, Measure m) const {
        const auto found = m_results.find(BenchmarkName(w, m));
        return found != m_results.end() ? &found->second : nullptr;
    }

private:
    std::map<std::string, Result> m_results;
};

// Ratio of a baseline's time to the library's: above 1 the library is faster.
std::string Ratio(const Collector& c, const Workload& w, Measure baseline, Measure library) {
    const Collector::Result* b = c.Find(w, baseline);
    const Collector::Result* l = c.Find(w, library);
    if (b == nullptr || l == nullptr || l->seconds <= 0.0) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", b->seconds / l->seconds);
    return text;
}

std::string Milliseconds(const Collector& c, const Workload& w, Measure m) {
    const Collector::Result* r = c.Find(w, m);
    if (r == nullptr) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", r->seconds * 1e3);
    return text;
}

void PrintTable(const Collector& c, const std::vector<std::unique_ptr<Workload>>& workloads) {
    std::printf("\nMinimum CPU time of the repetitions; ratio = baseline time / library time (> 1: library faster).\n\n");
    std::printf("| workload | text KB | numbers | load ms | load ns/byte | save ms | load vs strtod | save vs snprintf "
                "| load vs literal | load vs from_chars | peak memory |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const auto& w : workloads) {
        const Collector::Result* load = c.Find(*w, Measure::Load);
        const Collector::Result* memory = c.Find(*w, Measure::Memory);
        char perByte[32] = "-";
        if (load != nullptr) std::snprintf(perByte, sizeof perByte, "%.1f", load->seconds * 1e9 / w->Text().size());
        char peak[32] = "-";
        if (memory != nullptr) std::snprintf(peak, sizeof peak, "%.1fx", memory->peakMultiple);
        std::printf("| %s | %.0f | %zu | %s | %s | %s | %s | %s | %s | %s | %s |\n", w->Name().c_str(),
                    w->Text().size() / 1024.0, w->Numbers().size(), Milliseconds(c, *w, Measure::Load).c_str(),
                    perByte, Milliseconds(c, *w, Measure::Save).c_str(),
                    Ratio(c, *w, Measure::Strtod, Measure::Load).c_str(),
                    Ratio(c, *w, Measure::Snprintf, Measure::Save).c_str(),
                    Ratio(c, *w, Measure::Literal, Measure::Load).c_str(),
                    Ratio(c, *w, Measure::FromChars, Measure::Load).c_str(), peak);
    }
    for (const auto& w : workloads) {
        if (c.Find(*w, Measure::LoadSave) != nullptr) {
            std::printf("\n%s load+save: %s ms\n", w->Name().c_str(), Milliseconds(c, *w, Measure::LoadSave).c_str());
        }
    }
}

void Register(Workload* w, Measure m, void (*run)(benchmark::State&, Workload*)) {
    benchmark::internal::Benchmark* b =
        benchmark::RegisterBenchmark(BenchmarkName(*w, m).c_str(), [w, run](benchmark::State& state) { run(state, w); });
    if (m == Measure::Memory) {
        b->Iterations(1)->Repetitions(1);
    } else {
        b->ComputeStatistics("min", Minimum)->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    std::vector<std::unique_ptr<Workload>> workloads;
    workloads.push_back(bench::MakeGeoAdjust("geo_adjust", OtherScreenTagRows));
    workloads.push_back(bench::MakeGeoAdjust("geo_adjust_half", 40));
    workloads.push_back(bench::MakeGeoAdjust("geo_adjust_quarter", 20));
    workloads.push_back(bench::MakeGridPoint());
    workloads.push_back(bench::MakeLookUpTableList());
    workloads.push_back(bench::MakeCameraInit());
    workloads.push_back(bench::MakeSpectrum());

    for (const auto& w : workloads) {
        bench::Validate(*w);
        Register(w.get(), Measure::Load, Load);
        Register(w.get(), Measure::Save, Save);
        // The full geometry adjustment file also as one load and one save together.
        if (w == workloads.front()) Register(w.get(), Measure::LoadSave, LoadSave);
        Register(w.get(), Measure::Strtod, Strtod);
        Register(w.get(), Measure::Snprintf, Snprintf);
        Register(w.get(), Measure::Literal, Literal);
        Register(w.get(), Measure::Memcpy, Memcpy);
        Register(w.get(), Measure::FromChars, FromChars);
        Register(w.get(), Measure::Memory, Memory);
    }

    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    PrintTable(collector, workloads);
    benchmark::Shutdown();
    return 0;
}

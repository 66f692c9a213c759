// Reading and writing look-up tables, against a baseline of merely cutting
// the same text into lines and fields in the same run.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "frame/factory.h"
#include "frame/text.h"
#include "geometry/CQuonLookUpTable.h"

namespace {

std::string TableText(int columns, int rows) {
    std::string text;
    quon::AppendFormat(text, "%d,%d\n", columns, rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) quon::AppendFormat(text, "%g,%g,%g,%g\n", c * 0.25, r * 0.5, c + r * 0.125, 1.0 / (c + 1));
    return text;
}

// Baseline: the splitting every reader does, without converting or storing.
void BM_SplitOnly(benchmark::State& state) {
    const std::string text = TableText(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<std::string> lines;
        Split(text, '\n', lines);
        std::size_t fields = 0;
        for (const std::string& line : lines) {
            std::vector<std::string> parts;
            Split(line, ',', parts);
            fields += parts.size();
        }
        benchmark::DoNotOptimize(fields);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_LookUpTableLoad(benchmark::State& state) {
    const std::string text = TableText(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)));
    IQuonLookUpTable* table = nullptr;
    DllCreateInstance(CLSID_QuonLookUpTable, IID_IQuonLookUpTable, reinterpret_cast<void**>(&table));
    for (auto _ : state) benchmark::DoNotOptimize(table->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size())));
    table->Release();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_LookUpTableSave(benchmark::State& state) {
    const std::string text = TableText(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)));
    IQuonLookUpTable* table = nullptr;
    DllCreateInstance(CLSID_QuonLookUpTable, IID_IQuonLookUpTable, reinterpret_cast<void**>(&table));
    table->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size()));
    std::vector<char> buffer(text.size() * 2);
    UINT32 written = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(table->SaveToBuffer(buffer.data(), static_cast<UINT32>(buffer.size()), &written));
    table->Release();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(written));
}

BENCHMARK(BM_SplitOnly)->Arg(16)->Arg(128);
BENCHMARK(BM_LookUpTableLoad)->Arg(16)->Arg(128);
BENCHMARK(BM_LookUpTableSave)->Arg(16)->Arg(128);

}  // namespace

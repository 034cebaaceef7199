// Reference-text cleaning with the portable engine beside a plain copy of the
// same bytes, measured in the same run; and the worst case of long runs of
// blank lines, which must not recurse per character or go quadratic.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>

#include "text/clean_reference_text.h"
#include "text/regex_engine.h"

namespace {

// Answer-bank-like text: lines of Chinese and ASCII, CR LF breaks, and now
// and then a few blank or blank-looking lines.
std::string MakeReference(size_t bytes) {
    std::mt19937 rng(7);
    std::string s = "\r\n";
    s.reserve(bytes + 64);
    while (s.size() < bytes) {
        int len = 10 + static_cast<int>(rng() % 40);
        for (int i = 0; i < len; ++i) {
            if (rng() % 4 != 0) {
                s += static_cast<char>(0xB0 + rng() % 0x40);
                s += static_cast<char>(0xA1 + rng() % 0x5E);
            } else {
                s += static_cast<char>('a' + rng() % 26);
            }
        }
        s += "\r\n";
        if (rng() % 5 == 0)
            s += rng() % 2 ? "\r\n\r\n" : "  \r\n\t\r\n";
    }
    return s;
}

// Nothing but blank lines, with a line of text every megabyte.
std::string MakeBlankRuns(size_t bytes) {
    std::string s;
    s.reserve(bytes + 16);
    while (s.size() < bytes) {
        s += (s.size() % (1 << 20)) < 4 ? "A\r\n" : " \r\n";
    }
    return s;
}

void Copy(benchmark::State& state, const std::string& s) {
    for (auto _ : state) {
        std::string copy(s.size(), '\0');
        std::memcpy(copy.data(), s.data(), s.size());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.size()));
}

void Clean(benchmark::State& state, const std::string& s) {
    const tavimo::Text text(s);
    auto engine = tavimo::StandInRegexComponent();
    for (auto _ : state)
        benchmark::DoNotOptimize(tavimo::CleanReferenceText(text, engine));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.size()));
}

const std::string& Reference10M() {
    static const std::string s = MakeReference(10 << 20);
    return s;
}
const std::string& Blank50M() {
    static const std::string s = MakeBlankRuns(50 << 20);
    return s;
}

BENCHMARK_CAPTURE(Copy, reference_10MB, Reference10M())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Clean, reference_10MB, Reference10M())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Copy, blank_runs_50MB, Blank50M())->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(Clean, blank_runs_50MB, Blank50M())->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

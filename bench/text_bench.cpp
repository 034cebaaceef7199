// Throughput of box-position counting and Find beside a plain memchr pass
// over the same bytes, measured in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>

#include "text/display_count.h"
#include "text/text.h"

namespace {

// Answer-bank-like text: lines of mostly ASCII or mostly Chinese, CR LF breaks.
std::string MakeText(size_t bytes, bool chinese) {
    std::mt19937 rng(42);
    std::string s;
    s.reserve(bytes + 64);
    while (s.size() < bytes) {
        int len = 20 + static_cast<int>(rng() % 60);
        for (int i = 0; i < len; ++i) {
            if (chinese && rng() % 8 != 0) {
                s += static_cast<char>(0xB0 + rng() % 0x40);
                s += static_cast<char>(0xA1 + rng() % 0x5E);
            } else {
                s += static_cast<char>('a' + rng() % 26);
            }
        }
        s += "\r\n";
    }
    s.resize(bytes);
    return s;
}

const std::string& Ascii() {
    static const std::string s = MakeText(16 << 20, false);
    return s;
}
const std::string& Chinese() {
    static const std::string s = MakeText(16 << 20, true);
    return s;
}

void Memchr(benchmark::State& state, const std::string& s) {
    for (auto _ : state) {
        const void* p = std::memchr(s.data(), 0x01, s.size());
        benchmark::DoNotOptimize(p);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.size()));
}

void Count(benchmark::State& state, const std::string& s) {
    for (auto _ : state)
        benchmark::DoNotOptimize(tavimo::CountDisplayChars(std::string_view(s)));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.size()));
}

void FindAbsent(benchmark::State& state, const std::string& s) {
    tavimo::Text text(s);
    tavimo::Text needle("\x01zz");
    for (auto _ : state)
        benchmark::DoNotOptimize(tavimo::Find(text, needle));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.size()));
}

BENCHMARK_CAPTURE(Memchr, ascii, Ascii());
BENCHMARK_CAPTURE(Count, ascii, Ascii());
BENCHMARK_CAPTURE(FindAbsent, ascii, Ascii());
BENCHMARK_CAPTURE(Memchr, chinese, Chinese());
BENCHMARK_CAPTURE(Count, chinese, Chinese());
BENCHMARK_CAPTURE(FindAbsent, chinese, Chinese());

}  // namespace

// Hits and box positions for a 10 MB GBK answer bank with 10,000 hits, beside
// one plain memchr pass over the same bytes and the literal algorithm's way
// (a Find per hit and a recount of the whole prefix before it), measured on
// a slice it can finish.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>

#include "search/hit_scan.h"
#include "text/display_count.h"
#include "text/text.h"

namespace {

const char kTerm[] = "\xB4\xF0\xB0\xB8";  // 答案

std::string MakeBank(size_t bytes, int hits) {
    std::mt19937 rng(7);
    std::string s;
    s.reserve(bytes + 64);
    size_t every = bytes / static_cast<size_t>(hits);
    while (s.size() < bytes) {
        size_t lineEnd = s.size() + every;
        while (s.size() + 2 < lineEnd - 6) {
            if (rng() % 10 == 0) {
                s += static_cast<char>('a' + rng() % 26);
            } else {
                s += static_cast<char>(0xC0 + rng() % 0x30);  // never the term's lead byte
                s += static_cast<char>(0xA1 + rng() % 0x5E);
            }
        }
        s += kTerm;
        s += "\r\n";
    }
    return s;
}

const std::string& Bank() {
    static const std::string s = MakeBank(10u << 20, 10000);
    return s;
}

void Memchr(benchmark::State& state) {
    const std::string& s = Bank();
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(s.data(), 0x01, s.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.size()));
}

void ScanHits(benchmark::State& state) {
    const std::string& s = Bank();
    size_t hits = 0;
    for (auto _ : state) {
        tavimo::HitScan h = tavimo::ScanHits(s, kTerm);
        hits = h.positions.size();
        benchmark::DoNotOptimize(h);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.size()));
}

// The same pass for a term that never occurs: what the hits themselves cost
// is the difference.
void ScanAbsentTerm(benchmark::State& state) {
    const std::string& s = Bank();
    for (auto _ : state)
        benchmark::DoNotOptimize(tavimo::ScanHits(s, "\xB4\xF0\xB0\xB9"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.size()));
}

// One count of the whole bank: the part of the scan that cannot be skipped.
void CountBank(benchmark::State& state) {
    const std::string& s = Bank();
    for (auto _ : state)
        benchmark::DoNotOptimize(tavimo::CountDisplayChars(std::string_view(s)));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.size()));
}

// The literal way over the first 1/100 of the bank (100 hits); it grows with
// hits times length, so the whole bank costs about 100 * 100 = 10^4 times this.
void LiteralSlice(benchmark::State& state) {
    tavimo::Text text(Bank().substr(0, Bank().size() / 100));
    tavimo::Text term(kTerm);
    for (auto _ : state) {
        int32_t from = 0, p, hits = 0;
        int64_t sum = 0;
        while ((p = tavimo::Find(text, term, from)) != -1) {
            sum += tavimo::CountDisplayChars(tavimo::Left(text, p - 1));
            from = p + tavimo::Length(term);
            ++hits;
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(hits);
    }
}

BENCHMARK(Memchr)->Unit(benchmark::kMillisecond);
BENCHMARK(ScanHits)->Unit(benchmark::kMillisecond);
BENCHMARK(ScanAbsentTerm)->Unit(benchmark::kMillisecond);
BENCHMARK(CountBank)->Unit(benchmark::kMillisecond);
BENCHMARK(LiteralSlice)->Unit(benchmark::kMillisecond);

}  // namespace

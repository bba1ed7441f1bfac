#pragma once
// What the benchmark programs share: every case keeps its mean time per iteration, so that
// a later case can report its ratio to an earlier one within the same run.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

namespace bench {

using Clock = std::chrono::steady_clock;

// SplitMix64: small, fast and the same everywhere, so generated test data is the same on
// every run.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  template <class T, std::size_t N>
  const T& Pick(const T (&list)[N]) {
    return list[Below(static_cast<int>(N))];
  }

 private:
  std::uint64_t state_;
};

inline double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

inline std::map<std::string, double>& RecordedMeans() {
  static std::map<std::string, double> means;
  return means;
}

// Runs the benchmark loop over `body` and records the mean seconds of one call under `key`.
// When `body` returns a value, that value is destroyed with the timing paused: tearing down
// a large result is not part of producing it.
template <class Body>
void Loop(benchmark::State& state, const std::string& key, Body&& body) {
  double total = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    if constexpr (std::is_void_v<decltype(body())>) {
      body();
      total += SecondsSince(start);
    } else {
      std::optional<decltype(body())> kept(body());
      benchmark::DoNotOptimize(*kept);
      total += SecondsSince(start);
      state.PauseTiming();
      kept.reset();
      state.ResumeTiming();
    }
  }
  if (state.iterations() > 0) RecordedMeans()[key] = total / static_cast<double>(state.iterations());
}

// The mean recorded for `key`. A case that has not run in this process (left out by a
// filter) is measured now, `runs` times, outside any benchmark's timing.
template <class Body>
double MeanOf(const std::string& key, Body&& body, int runs = 3) {
  if (auto it = RecordedMeans().find(key); it != RecordedMeans().end()) return it->second;
  body();  // warm-up
  double total = 0;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    if constexpr (std::is_void_v<decltype(body())>) {
      body();
      total += SecondsSince(start);
    } else {
      auto kept = body();
      benchmark::DoNotOptimize(kept);
      total += SecondsSince(start);
    }
  }
  return RecordedMeans()[key] = total / runs;
}

}  // namespace bench

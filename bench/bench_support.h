// Shared by the benchmarks. Run them all: build/release/bench/hd73_bench. Instruction counts,
// which do not depend on the machine's load: scripts/bench_instructions.sh.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>

// With HD7_3_BENCH_ITERATIONS set, a benchmark runs exactly that many iterations once, so that
// an instruction count taken around it divides into a count per iteration.
inline void FixedIterations(benchmark::internal::Benchmark* b) {
  if (const char* n = std::getenv("HD7_3_BENCH_ITERATIONS")) {
    const long long iterations = std::atoll(n);
    if (iterations > 0) b->Iterations(iterations);
  }
}

#define HD7_3_BENCHMARK(fn) BENCHMARK(fn)->Apply(FixedIterations)

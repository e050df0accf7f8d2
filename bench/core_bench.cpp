// Benchmarks of the portable core. Run: build/release/bench/hd73_bench
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"

#include "control/current_control.h"
#include "control/sheet.h"
#include "framework/headless/headless.h"
#include "nvdata/config_part.h"
#include "nvdata/nv_codec.h"
#include "nvdata/number_text.h"
#include "sim/simulated_node.h"

namespace {

void BM_CodecRoundTrip(benchmark::State& state) {
  double v = -55.35;
  for (auto _ : state) {
    const uint8_t h = CNvCodec::HundredthsHigh(v);
    const uint8_t l = CNvCodec::HundredthsLow(v);
    benchmark::DoNotOptimize(v = CNvCodec::WordToTemp(h, l) + 0.01);
  }
}
HD7_3_BENCHMARK(BM_CodecRoundTrip);

void BM_Atof(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Atof(" -1234.5678e-2x"));
}
HD7_3_BENCHMARK(BM_Atof);

void BM_FormatFixed1(benchmark::State& state) {
  double v = -12.25;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatFixed1(v));
    benchmark::DoNotOptimize(FormatFixed0(v));
  }
}
HD7_3_BENCHMARK(BM_FormatFixed1);

void BM_SheetConstruction(benchmark::State& state) {
  fw::headless::HeadlessPlatform platform;
  sim::SimulatedNode node;
  sim::SimClientSite site(node);
  FixedControlSite control(&site);
  SetCurrentControl(&control);
  for (auto _ : state) {
    CSheet sheet("HD7_3");
    benchmark::DoNotOptimize(sheet.GetPageCount());
    node.ClearLog();
  }
  SetCurrentControl(nullptr);
}
HD7_3_BENCHMARK(BM_SheetConstruction);

// One select-read-modify-write of a part against the simulated node: no latency, and the
// virtual pauses cost nothing.
void BM_PartReadModifyWrite(benchmark::State& state) {
  fw::headless::HeadlessPlatform platform;
  sim::SimulatedNode node;
  const NodeIo io(&node, &node);
  int part = 1;
  for (auto _ : state) {
    PartExchange parts(io);
    part = part % 12 + 1;
    benchmark::DoNotOptimize(parts.ReadModifyWrite(part, [](uint8_t* r) { r[5] ^= 1; }));
    node.ClearLog();
  }
}
HD7_3_BENCHMARK(BM_PartReadModifyWrite);

}  // namespace

// Benchmarks of whole page cycles against the simulated node: bring the page into view (live
// refresh and read) and press "Write" (checks, write, read back). The pauses are virtual, so
// this measures the pages' own work and the host calls. Run: build/release/bench/hd73_bench
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"

#include "control/current_control.h"
#include "control/sheet.h"
#include "framework/headless/headless.h"
#include "nvdata/nv_page.h"
#include "sim/simulated_node.h"

namespace {

// Shows page `pageMember` (an index into the sheet's pages) and writes it, once per iteration.
void ShowAndWrite(benchmark::State& state, int pageMember) {
  fw::headless::HeadlessPlatform platform;
  sim::SimulatedNode node;
  sim::SimClientSite site(node);
  FixedControlSite control(&site);
  SetCurrentControl(&control);
  {
    CSheet sheet("HD7_3");
    fw::headless::SheetDriver driver(sheet, platform);
    driver.Open();
    const int tab = sheet.GetPageIndex(sheet.AllPages()[static_cast<size_t>(pageMember)]);
    size_t calls = 0;
    for (auto _ : state) {
      driver.SelectTab(0);
      driver.SelectTab(tab);
      driver.Click(kIdWrite);
      calls += node.Log().size();
      node.ClearLog();
    }
    state.counters["host_calls_per_cycle"] =
        benchmark::Counter(static_cast<double>(calls) / static_cast<double>(state.iterations()));
    driver.Close();
  }
  SetCurrentControl(nullptr);
}

void BM_StatusSwitchShowAndWrite(benchmark::State& state) {
  ShowAndWrite(state, 8);  // CPage9PropPage
}
HD7_3_BENCHMARK(BM_StatusSwitchShowAndWrite);

void BM_WeekCalendarShowAndWrite(benchmark::State& state) {
  ShowAndWrite(state, 4);  // CPage5PropPage
}
HD7_3_BENCHMARK(BM_WeekCalendarShowAndWrite);

}  // namespace

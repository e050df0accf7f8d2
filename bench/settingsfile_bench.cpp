// Benchmarks of the NodeSettings file operations against the simulated node. Pauses are
// virtual (the headless clock only counts them), so what is measured is the code itself.
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"

#include <cstdio>
#include <filesystem>

#include <unistd.h>

#include "framework/headless/headless.h"
#include "settingsfile/settings_download.h"
#include "settingsfile/settings_export.h"
#include "settingsfile/value_lines.h"
#include "sim/simulated_node.h"

namespace {

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() /
          (std::string("hd73_bench_") + std::to_string(::getpid()) + "_" + name))
      .string();
}

void BM_ExportFactorySettings(benchmark::State& state) {
  fw::headless::HeadlessPlatform platform;
  sim::SimulatedNode node;
  const NodeIo io(&node, &node);
  const std::string path = TempPath("export.txt");
  for (auto _ : state) {
    const ExportResult result = ExportSettings(io, path);
    benchmark::DoNotOptimize(result.readErrors);
    node.ClearLog();
  }
  std::remove(path.c_str());
}
HD7_3_BENCHMARK(BM_ExportFactorySettings)->Unit(benchmark::kMicrosecond);

void BM_DownloadFactorySettingsFile(benchmark::State& state) {
  fw::headless::HeadlessPlatform platform;
  sim::SimulatedNode node;
  const NodeIo io(&node, &node);
  const std::string path = TempPath("download.txt");
  ExportSettings(io, path);
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    FileLineReader lines(file);
    const DownloadResult result = DownloadSettings(lines, io, nullptr);
    std::fclose(file);
    benchmark::DoNotOptimize(result.enabled);
    node.ClearLog();
  }
  std::remove(path.c_str());
}
HD7_3_BENCHMARK(BM_DownloadFactorySettingsFile)->Unit(benchmark::kMicrosecond);

void BM_ParseStrIntLine(benchmark::State& state) {
  const std::string line =
      "2, 64336, 2000, 0, 0, 0, 7000, 3500, 0, 0, 0, 500, 3300, 500, 7000, 5500";
  for (auto _ : state) benchmark::DoNotOptimize(ParseStrIntRecord(line));
}
HD7_3_BENCHMARK(BM_ParseStrIntLine);

}  // namespace

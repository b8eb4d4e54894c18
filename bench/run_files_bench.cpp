// A numbered run of 1,000 barcodes saved one file each, as a run's Save As writes them (the run counted,
// each symbol made, drawn at 300 dpi and packed as PNG, or written as SVG, then written whole through a
// temporary file), against writing the same finished files' bytes alone: the ratio within one run says
// what making the barcodes costs beside the disk, and run_s is the whole run's time.
#include <windows.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "app/barcode_settings.h"
#include "app/barcode_symbol.h"
#include "app/sequence.h"
#include "app/vector_output_win.h"
#include "ui/files/file_services_win.h"

namespace {

constexpr int kFiles = 1000;
// 20 characters: bytes_per_file of the SVG run is the size of a 20-character barcode's SVG.
constexpr char kFirst[] = "SKU-2026-12-09-00001";

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH];
  const DWORD length = GetTempPathW(MAX_PATH, temp);
  std::wstring folder =
      std::wstring(temp, length) + L"sw-run-bench-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void BM_ThousandFilesOfARun(benchmark::State& state) {
  const std::size_t type = state.range(0) == 0 ? sw::app::kPngFile : sw::app::kSvgFile;
  const std::wstring extension = type == sw::app::kPngFile ? L".png" : L".svg";
  const sw::app::BarcodeSettings settings;
  const sw::app::SequenceResult run = sw::app::SequenceOf(kFirst, kFiles, 1, false);
  if (!run.ok()) return state.SkipWithError("no run");
  LOGFONTW font{};
  font.lfHeight = -42;
  lstrcpyW(font.lfFaceName, L"Arial");
  const std::wstring folder = TempFolder();
  std::vector<std::wstring> paths;
  for (const std::string& content : run.value()) {
    paths.push_back(folder + L"\\Bar_Code_" + std::wstring(content.begin(), content.end()) + extension);
  }
  std::vector<std::vector<std::uint8_t>> made(kFiles);
  double run_seconds = 0, write_seconds = 0, bytes = 0;
  using Clock = std::chrono::steady_clock;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    bool saved = true;
    for (int i = 0; i < kFiles && saved; ++i) {
      const sw::app::SymbolResult symbol = sw::app::SymbolOf(run.value()[i], settings);
      made[i] = symbol.ok() ? sw::app::BarcodeFileBytes(type, symbol.value(), settings.look, font)
                            : std::vector<std::uint8_t>();
      saved = !made[i].empty() && sw::WriteBytesToFile(paths[i], {made[i]});
    }
    const Clock::time_point middle = Clock::now();
    for (int i = 0; i < kFiles && saved; ++i) saved = sw::WriteBytesToFile(paths[i], {made[i]});
    const Clock::time_point end = Clock::now();
    if (!saved) return state.SkipWithError("a file was not written");
    run_seconds += std::chrono::duration<double>(middle - start).count();
    write_seconds += std::chrono::duration<double>(end - middle).count();
    bytes = 0;
    for (const auto& file : made) bytes += static_cast<double>(file.size());
  }
  for (const std::wstring& path : paths) DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());
  const double iterations = static_cast<double>(state.iterations());
  state.counters["run_s"] = run_seconds / iterations;
  state.counters["writes_alone_s"] = write_seconds / iterations;
  state.counters["ratio"] = write_seconds > 0 ? run_seconds / write_seconds : 0;
  state.counters["bytes_per_file"] = bytes / kFiles;
}
BENCHMARK(BM_ThousandFilesOfARun)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("svg")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();

// The window runtime under Wine: building the hidden host window with its drawing panel (what each generate
// command does), repainting the whole main window, and one hover in and out of a picture button.
#include <windows.h>
#include <benchmark/benchmark.h>

#include <span>
#include <vector>

#include "app/layout_ids.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw::resources {
extern const std::span<const unsigned char> kWindowDescriptions;
}

namespace {

using namespace sw::layout;

std::int32_t Nothing(const sw::EventContext&) { return 0; }

std::unique_ptr<sw::WindowRuntime> MakeRuntime() {
  static std::vector<sw::HandlerBinding> handlers;
  for (std::uint32_t reference = 1; reference <= kHandlerCount; ++reference) {
    handlers.push_back({reference, kHandlerNames[reference - 1].data(), &Nothing});
  }
  sw::RuntimeStart start = sw::WindowRuntime::Create(sw::resources::kWindowDescriptions, handlers);
  return start.ok() ? std::move(start).value() : nullptr;
}

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

void BM_LoadAndDestroyHostWindow(benchmark::State& state) {
  auto runtime = MakeRuntime();
  for (auto _ : state) {
    if (!runtime->LoadWindow(BarcodeHostWindow::kId).ok()) {
      state.SkipWithError("BarcodeHostWindow cannot be loaded");
      return;
    }
    runtime->DestroyWindowLater(BarcodeHostWindow::kId);
    Pump();
  }
}
BENCHMARK(BM_LoadAndDestroyHostWindow)->Unit(benchmark::kMillisecond);

void BM_RepaintMainWindow(benchmark::State& state) {
  auto runtime = MakeRuntime();
  if (!runtime->LoadWindow(MainWindow::kId).ok()) {
    state.SkipWithError("MainWindow cannot be loaded");
    return;
  }
  const HWND window = runtime->Handle(MainWindow::kId);
  for (auto _ : state) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}
BENCHMARK(BM_RepaintMainWindow)->Unit(benchmark::kMillisecond);

void BM_ButtonHoverInAndOut(benchmark::State& state) {
  auto runtime = MakeRuntime();
  if (!runtime->LoadWindow(MainWindow::kId).ok()) {
    state.SkipWithError("MainWindow cannot be loaded");
    return;
  }
  const HWND button = runtime->Handle(MainWindow::kGenerateButton);
  for (auto _ : state) {
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(50, 15));   // over: mouse-over image, new region
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(500, 15));  // away: normal image again
  }
}
BENCHMARK(BM_ButtonHoverInAndOut)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

// One generate click under Wine, from the button's click to the picture set: the program's own handlers
// on the real MainWindow (encoding, the hidden host window and its caption, scaling, the full-size copy
// written to C:\1.bmp, the host window destroyed). Argument: the content's length in characters.
#include <windows.h>
#include <benchmark/benchmark.h>

#include <span>
#include <string>

#include "app/handler_table_win.h"
#include "app/layout_ids.h"
#include "shadow/gdiplus_startup_win.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw::resources {
extern const std::span<const unsigned char> kWindowDescriptions;
}

namespace {

using sw::layout::MainWindow;

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// Letters and digit runs, as typed contents mix them.
std::string Content(std::size_t length) {
  const std::string pattern = "Stripe2024wright77AB";
  std::string content;
  while (content.size() < length) content += pattern;
  content.resize(length);
  return content;
}

void BM_GenerateClick(benchmark::State& state) {
  sw::StartGdiplus();
  sw::RuntimeStart start =
      sw::WindowRuntime::Create(sw::resources::kWindowDescriptions, sw::app::HandlerTable());
  std::unique_ptr<sw::WindowRuntime> runtime = start.ok() ? std::move(start).value() : nullptr;
  if (runtime == nullptr || !runtime->LoadWindow(MainWindow::kId).ok()) {
    state.SkipWithError("MainWindow cannot be loaded");
    return;
  }
  Pump();
  runtime->SetText(MainWindow::kContentEdit, Content(static_cast<std::size_t>(state.range(0))));
  const HWND button = runtime->Handle(MainWindow::kGenerateButton);
  const LPARAM middle = MAKELPARAM(50, 15);
  for (auto _ : state) {
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageW(button, WM_LBUTTONUP, 0, middle);
    state.PauseTiming();
    Pump();  // the repaint of the new picture, outside the measured click
    state.ResumeTiming();
  }
  if (runtime->GetPicture(MainWindow::kBarcodePicture).value_or(sw::Bytes()).empty()) {
    state.SkipWithError("no picture was set");
  }
}
BENCHMARK(BM_GenerateClick)->Arg(7)->Arg(40)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// One shadow composition (template and ring drawing) and one drag step of a shadowed owner, under Wine.
#include <windows.h>
#include <benchmark/benchmark.h>

#include "shadow/gdiplus_startup_win.h"
#include "shadow/shadow_composition_win.h"
#include "shadow/shadow_window_win.h"

namespace {

// A 500 x 300 owner: with the size-5 shadow the bitmap is 510 x 310.
constexpr int kOwnerWidth = 500;
constexpr int kOwnerHeight = 300;

HWND Owner() {
  static HWND owner = [] {
    WNDCLASSEXA record{};
    record.cbSize = sizeof(record);
    record.lpfnWndProc = DefWindowProcA;
    record.hInstance = GetModuleHandleA(nullptr);
    record.lpszClassName = "SwShadowBenchOwner";
    RegisterClassExA(&record);
    sw::StartGdiplus();
    return CreateWindowExA(0, record.lpszClassName, "owner", WS_POPUP | WS_VISIBLE, 100, 100, kOwnerWidth,
                           kOwnerHeight, nullptr, nullptr, record.hInstance, nullptr);
  }();
  return owner;
}

void RenderShadow(benchmark::State& state, COLORREF color) {
  HWND owner = Owner();
  sw::SetWindowShadow(owner, color, 5);
  for (auto _ : state) sw::RenderShadow(owner, kOwnerWidth + 10, kOwnerHeight + 10);
}

void BM_RenderShadowTemplate(benchmark::State& state) { RenderShadow(state, 0); }
void BM_RenderShadowRings(benchmark::State& state) { RenderShadow(state, RGB(40, 80, 160)); }

// The drawing alone, into a 510 x 310 DIB section, without handing it to the screen.
void DrawShadow(benchmark::State& state, COLORREF color) {
  HWND owner = Owner();
  sw::SetWindowShadow(owner, color, 5);
  HWND shadow = static_cast<HWND>(GetPropA(owner, "Umbra.WndShadow"));
  BITMAPINFO info{};
  info.bmiHeader = {
      sizeof(BITMAPINFOHEADER), kOwnerWidth + 10, kOwnerHeight + 10, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  for (auto _ : state) sw::DrawShadow(shadow, dc, kOwnerWidth + 10, kOwnerHeight + 10);
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

void BM_DrawShadowTemplate(benchmark::State& state) { DrawShadow(state, 0); }
void BM_DrawShadowRings(benchmark::State& state) { DrawShadow(state, RGB(40, 80, 160)); }

// What the shadow adds to one WM_MOVE of a dragged owner: place the shadow and recompose it.
void BM_DragStepWmMove(benchmark::State& state) {
  HWND owner = Owner();
  sw::SetWindowShadow(owner);
  for (auto _ : state) benchmark::DoNotOptimize(SendMessageA(owner, WM_MOVE, 0, MAKELPARAM(100, 100)));
}

// A whole drag step: the owner moves by a pixel, and its shadow follows.
void BM_DragStepMoveOwner(benchmark::State& state) {
  HWND owner = Owner();
  sw::SetWindowShadow(owner);
  int x = 100;
  for (auto _ : state) {
    x = x == 100 ? 101 : 100;
    SetWindowPos(owner, nullptr, x, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

BENCHMARK(BM_RenderShadowTemplate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderShadowRings)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawShadowTemplate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawShadowRings)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepWmMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepMoveOwner)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

// A sheet of 65 labels (A4, 5 x 13 of 38.1 x 21.2 mm) drawn at 600 dpi against the same 65 barcodes each
// drawn alone on a label-sized page, as a ratio within one run: layout and GDI drawing into a 1-bit memory
// DC, the page cleared first, as a printer's page starts blank.
#include <windows.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "base/handles_win.h"
#include "encode/code128_encoder.h"
#include "render/barcode_canvas.h"
#include "render/label_sheet.h"
#include "render/print_page_win.h"

namespace {

constexpr int kDpi = 600;
constexpr std::size_t kSheet = 5;  // 5 x 13 labels

// A white 1-bit page of this many dots in a memory DC.
struct Page {
  Page(int w, int h)
      : width(w),
        height(h),
        bitmap(CreateBitmap(w, h, 1, 1, nullptr)),
        dc(CreateCompatibleDC(nullptr)),
        selected(sw::SelectInto(dc.get(), bitmap.get())) {}
  int width, height;
  sw::ScopedBitmap bitmap;
  sw::ScopedMemoryDc dc;
  sw::ScopedSelect selected;
};

bool DrawLabels(const Page& page, const sw::PrinterPage& printer, const std::vector<sw::DotRect>& cells,
                const std::vector<std::string>& widths, const std::vector<std::string>& captions,
                const LOGFONTW& font, std::size_t first, std::size_t count, sw::SheetKind kind) {
  PatBlt(page.dc.get(), 0, 0, page.width, page.height, WHITENESS);
  bool drawn = true;
  for (std::size_t i = 0; i < count; ++i) {
    const sw::PrintLayoutResult layout =
        sw::LayOutLabel(sw::ModuleCount(widths[first + i]), cells[i % cells.size()], printer, {}, kind);
    drawn =
        layout.ok() &&
        sw::DrawPrintedBarcode(page.dc.get(), layout.value(), widths[first + i], captions[first + i], font) &&
        drawn;
  }
  return drawn;
}

void BM_SheetOf65VersusSingleLabels(benchmark::State& state) {
  const sw::LabelSheet& sheet = sw::LabelSheets()[kSheet];
  std::vector<std::string> widths, captions;
  for (int i = 0; i < 65; ++i) {
    captions.push_back("SKU" + std::to_string(1000 + i));
    widths.push_back(sw::Code128Encoder().Widths(captions.back()));
  }
  LOGFONTW font{};
  lstrcpyW(font.lfFaceName, L"Arial");
  const sw::PrinterPage a4{{kDpi, kDpi, 4960, 7016}, 0, 0};
  const std::vector<sw::DotRect> cells = sw::LabelCells(sheet, a4);
  const int label_width = cells.front().width, label_height = cells.front().height;
  const sw::PrinterPage label{{kDpi, kDpi, label_width, label_height}, 0, 0};
  const std::vector<sw::DotRect> whole{{0, 0, label_width, label_height}};
  const Page sheet_page(a4.area.width, a4.area.height);
  const Page label_page(label_width, label_height);
  double sheet_seconds = 0, singles_seconds = 0;
  using Clock = std::chrono::steady_clock;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    bool drawn = DrawLabels(sheet_page, a4, cells, widths, captions, font, 0, 65, sw::SheetKind::kSheet);
    const Clock::time_point middle = Clock::now();
    for (std::size_t i = 0; i < 65; ++i) {
      drawn =
          DrawLabels(label_page, label, whole, widths, captions, font, i, 1, sw::SheetKind::kLabelPrinter) &&
          drawn;
    }
    const Clock::time_point end = Clock::now();
    if (!drawn) state.SkipWithError("a label was not drawn");
    sheet_seconds += std::chrono::duration<double>(middle - start).count();
    singles_seconds += std::chrono::duration<double>(end - middle).count();
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["sheet_ms"] = 1000 * sheet_seconds / iterations;
  state.counters["singles_ms"] = 1000 * singles_seconds / iterations;
  state.counters["ratio"] = singles_seconds > 0 ? sheet_seconds / singles_seconds : 0;
}
BENCHMARK(BM_SheetOf65VersusSingleLabels)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

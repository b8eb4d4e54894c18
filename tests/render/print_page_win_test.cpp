// The printed page drawn into a 1-bit DIB section standing in for a printer's dots, at 300 and 600 dpi on
// A4's printable area: along a row through the bars, every bar and space is its width-string digit times
// the layout's module, quiet zones included. Each page is written as a BMP into SW_PRINT_SCAN_DIR with a
// "printed/NN.bmp <content as hex>" line in manifest.txt, for scan_check.py's two decoders.
#include "render/print_page_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/handles_win.h"
#include "base/text_codepage_win.h"
#include "encode/code128_encoder.h"
#include "render/barcode_canvas.h"
#include "render/print_layout.h"
#include "tests/support/case_table.h"
#include "tests/support/page_canvas_win.h"
#include "tests/support/scan_manifest.h"
#include "ui/files/file_services_win.h"

namespace sw {
namespace {

// A4 (210 x 297 mm) less a sixth of an inch on every side, as office printers report it.
PrintableArea A4(std::int32_t dpi, bool landscape) {
  const std::int32_t across = dpi * 2100 / 254 - dpi / 3, down = dpi * 2970 / 254 - dpi / 3;
  return landscape ? PrintableArea{dpi, dpi, down, across} : PrintableArea{dpi, dpi, across, down};
}

std::string Digits(std::size_t n) {
  std::string text;
  while (text.size() < n) text += static_cast<char>('0' + (text.size() * 7 + 3) % 10);
  return text;
}
std::string Letters(std::size_t n) {
  std::string text;
  while (text.size() < n) text += static_cast<char>((text.size() % 2 ? 'a' : 'A') + text.size() * 5 % 26);
  return text;
}

// The caption's font as the barcode host's drawing panel stores it: SimSun, bold, GB2312.
LOGFONTW CaptionFont() {
  LOGFONTW font{};
  font.lfWeight = FW_BOLD;
  font.lfCharSet = GB2312_CHARSET;
  wcscpy(font.lfFaceName, L"\x5b8b\x4f53");
  return font;
}

TEST(PrintedPage, EveryBarAndSpaceIsWholeModulesAndScans) {
  const char* folder_variable = std::getenv("SW_PRINT_SCAN_DIR");
  ASSERT_NE(folder_variable, nullptr) << "SW_PRINT_SCAN_DIR names the folder for the pages";
  std::string folder = folder_variable;
  for (char& c : folder) c = c == '/' ? '\\' : c;
  CreateDirectoryW(WideFromGbk(folder).c_str(), nullptr);
  CreateDirectoryW(WideFromGbk(folder + "\\printed").c_str(), nullptr);
  DeleteFileW(WideFromGbk(folder + "\\manifest.txt").c_str());  // only a whole run's manifest is checked

  struct Row {
    std::string content;
    std::int32_t dpi;
    bool landscape;
    const char* reason;
  };
  std::vector<Row> rows;
  for (const std::int32_t dpi : {300, 600}) {
    for (const std::size_t length : {1, 12, 40, 80}) {
      rows.push_back({Digits(length), dpi, false, "digits"});
      // 80 letters need 935 x 3 dots at 300 dpi, more than A4's 2380 across: that page is landscape.
      rows.push_back({Letters(length), dpi, dpi == 300 && length == 80, "letters"});
    }
  }
  // As many digits as fit A4 at 600 dpi: their caption at 10 pt would be wider than the paper.
  rows.push_back({Digits(160), 600, false, "a caption set smaller to fit under the bars"});
  std::string manifest;
  testing::ForEachRow(rows, [&](const Row& row, std::size_t index) {
    SCOPED_TRACE(std::to_string(row.content.size()) + " characters at " + std::to_string(row.dpi) + " dpi");
    const std::string widths = Code128Encoder().Widths(row.content);
    const PrintableArea area = A4(row.dpi, row.landscape);
    const PrintLayoutResult laid = LayOutPrintedBarcode(ModuleCount(widths), area);
    ASSERT_TRUE(laid.ok()) << laid.message();
    const PrintLayout& layout = laid.value();
    testing::PageCanvas page(area.width, layout.bottom);
    ASSERT_TRUE(page.ok());
    ASSERT_TRUE(DrawPrintedBarcode(page.dc(), layout, widths, row.content, CaptionFont()));
    GdiFlush();

    for (const std::int32_t y : {layout.bars_top, layout.bars_top + layout.bar_height / 2,
                                 layout.bars_top + layout.bar_height - 1}) {
      const std::vector<std::int32_t> runs = page.Runs(y);
      ASSERT_EQ(runs.size(), widths.size() + 2) << "row " << y;
      EXPECT_EQ(runs.front(), layout.bars_left);
      EXPECT_GE(runs.front(), layout.quiet_zone);
      EXPECT_GE(runs.back(), layout.quiet_zone);
      for (std::size_t i = 0; i < widths.size(); ++i) {
        EXPECT_EQ(runs[i + 1], (widths[i] - '0') * layout.module) << (i % 2 ? "space " : "bar ") << i;
      }
    }
    for (std::int32_t x = layout.bars_left; x < layout.bars_left + layout.bars_width; ++x) {
      ASSERT_FALSE(page.Black(x, layout.bars_top + layout.bar_height)) << "no bar below its height";
    }
    // The caption: under the bars, no wider than the bars with their quiet zones.
    std::int32_t caption_left = area.width, caption_right = -1;
    for (std::int32_t y = layout.caption_top; y < layout.bottom; ++y) {
      for (std::int32_t x = 0; x < area.width; ++x) {
        if (!page.Black(x, y)) continue;
        caption_left = std::min(caption_left, x);
        caption_right = std::max(caption_right, x);
      }
    }
    ASSERT_GE(caption_right, 0) << "the content is printed under the bars";
    EXPECT_GE(caption_left, layout.bars_left - layout.quiet_zone);
    EXPECT_LT(caption_right, layout.bars_left + layout.bars_width + layout.quiet_zone);

    char name[32];
    std::snprintf(name, sizeof name, "printed\\%02zu.bmp", index);
    ASSERT_TRUE(WriteBytesToFile(folder + "\\" + name, {page.BmpFile()}));
    name[7] = '/';
    manifest += testing::ScanManifestLine(name, row.content);
  });
  if (!testing::RowFilter().empty()) return;  // a part of the pages is no run for the decoders
  const std::vector<std::uint8_t> bytes(manifest.begin(), manifest.end());
  ASSERT_TRUE(WriteBytesToFile(folder + "\\manifest.txt", {bytes}));
}

}  // namespace
}  // namespace sw

// The printed page's layout: module in whole dots, quiet zones, centring, bar height, the caption's line
// and the refusals, over printer resolutions, papers and contents as the encoder makes them.
#include "render/print_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "encode/code128_encoder.h"
#include "render/barcode_canvas.h"
#include "tests/support/case_table.h"

namespace sw {
namespace {

// Papers as printers report them: A4 (210 x 297 mm) with a sixth of an inch unprintable on every side, a
// 2 x 1 inch label printed to its edges, and a low 50 x 12 mm label.
constexpr PrintableArea A4Portrait(std::int32_t dpi) {
  return {dpi, dpi, dpi * 2100 / 254 - dpi / 3, dpi * 2970 / 254 - dpi / 3};
}
constexpr PrintableArea A4Landscape(std::int32_t dpi) {
  const PrintableArea portrait = A4Portrait(dpi);
  return {dpi, dpi, portrait.height, portrait.width};
}
constexpr PrintableArea Label2x1(std::int32_t dpi) { return {dpi, dpi, 2 * dpi, dpi}; }
static_assert(A4Portrait(300).width == 2380 && A4Portrait(300).height == 3407);
static_assert(A4Portrait(600).width == 4760 && A4Portrait(203).width == 1611);

std::string Digits(std::size_t n) {
  std::string text;
  while (text.size() < n) text += static_cast<char>('0' + text.size() * 7 % 10);
  return text;
}
std::string Letters(std::size_t n) {
  std::string text;
  while (text.size() < n) text += static_cast<char>((text.size() % 2 ? 'a' : 'A') + text.size() * 5 % 26);
  return text;
}

// Modules of the symbol: start, one symbol a letter (or a digit pair in set C), check, stop (13 modules).
constexpr std::int64_t SymbolModules(std::int64_t data_symbols) { return 11 * (data_symbols + 2) + 13; }

std::int64_t ModulesOf(const std::string& content) { return ModuleCount(Code128Encoder().Widths(content)); }

TEST(PrintLayout, ContentsHaveTheModulesTheTableCountsOn) {
  EXPECT_EQ(ModulesOf("5"), SymbolModules(1));
  EXPECT_EQ(ModulesOf(Digits(12)), SymbolModules(6));
  EXPECT_EQ(ModulesOf(Digits(80)), SymbolModules(40));
  EXPECT_EQ(ModulesOf(Letters(40)), SymbolModules(40));
  EXPECT_EQ(ModulesOf(Letters(80)), SymbolModules(80));
}

TEST(PrintLayout, WholeDotModulesCentredWithTheirQuietZones) {
  struct Case {
    std::string content;
    PrintableArea area;
    std::int32_t module, bars_left, bar_height, caption_height;
    const char* reason;
    BarcodeLook look = {};
  };
  // 0.5 mm modules and 20 mm bars, without caption or with 20 pt; 0.19 mm, which is 2.24 dots at 300 dpi.
  constexpr BarcodeLook kSized{500, 20000, false, 10}, k20Pt{500, 20000, true, 20}, kThin{190, 0, true, 10};
  const Case cases[] = {
      /* 0*/ {"5", A4Portrait(300), 4, (2380 - 46 * 4) / 2, 119, 42, "one digit: 0.33 mm is 3.9 dots, 4"},
      /* 1*/ {Letters(12), A4Portrait(300), 4, (2380 - 167 * 4) / 2, 119, 42, "bars 10 mm high, 119 dots"},
      /* 2*/ {Letters(40), A4Portrait(300), 4, 240, 285, 42, "15% of 1900 dots across is taller than 10 mm"},
      /* 3*/ {Digits(80), A4Portrait(300), 4, 240, 285, 42, "80 digits are 40 pairs in set C"},
      /* 4*/
      {Letters(80), A4Landscape(300), 3, (3407 - 915 * 3) / 2, 412, 42,
       "A4 across holds 3.6 dots a module: the next smaller whole dot, 3"},
      /* 5*/ {Letters(80), {300, 300, 935 * 3, 3408}, 3, 30, 412, 42, "exactly 935 modules of 3 dots"},
      /* 6*/ {Digits(12), A4Portrait(203), 3, (1611 - 101 * 3) / 2, 80, 28, "2.6 dots round up to 3"},
      /* 7*/ {Letters(40), A4Portrait(203), 3, (1611 - 475 * 3) / 2, 214, 28, "40 letters at 203 dpi"},
      /* 8*/ {Letters(80), A4Landscape(203), 2, (2306 - 915 * 2) / 2, 275, 28, "0.25 mm, above 0.19"},
      /* 9*/ {Digits(12), A4Portrait(600), 8, (4760 - 101 * 8) / 2, 237, 83, "7.8 dots round up to 8"},
      /*10*/ {Digits(40), A4Portrait(600), 8, (4760 - 255 * 8) / 2, 306, 83, "40 digits at 600 dpi"},
      /*11*/ {Letters(80), A4Portrait(600), 5, 92, 687, 83, "5 dots (0.21 mm) fit where 8 do not"},
      /*12*/ {Letters(12), A4Portrait(1200), 16, (9521 - 167 * 16) / 2, 473, 167, "15.6 dots round to 16"},
      /*13*/ {Letters(80), A4Portrait(1200), 10, (9521 - 915 * 10) / 2, 1373, 167, "10 of 9 to 16 fit"},
      /*14*/ {"5", Label2x1(203), 3, (406 - 46 * 3) / 2, 80, 28, "a single digit on a 2 inch label"},
      /*15*/
      {Letters(12), Label2x1(203), 2, (406 - 167 * 2) / 2, 80, 28, "the label holds 2.2 dots a module"},
      /*16*/ {Digits(12), A4Portrait(180), 2, (1428 - 101 * 2) / 2, 71, 25, "2.3 dots round down to 2"},
      /*17*/
      {Letters(40),
       {600, 300, 4760, 3408},
       8,
       480,
       285,
       42,
       "600 x 300 dpi: 15% of 3800 dots across is 285 dots down"},
      /*18*/
      {Letters(12), A4Portrait(300), 6, (2380 - 167 * 6) / 2, 236, 0, "0.5 mm, 20 mm, no caption", kSized},
      /*19*/
      {Digits(12), A4Portrait(600), 12, (4760 - 101 * 12) / 2, 472, 167, "600 dpi, 20 pt caption", k20Pt},
      /*20*/
      {Letters(12), A4Portrait(300), 3, (2380 - 167 * 3) / 2, 119, 42, "0.19 mm: 3 dots, not 2", kThin},
  };
  testing::ForEachRow(cases, [](const Case& c) {
    const std::int64_t modules = ModulesOf(c.content);
    const PrintLayoutResult laid = LayOutPrintedBarcode(modules, c.area, c.look);
    ASSERT_TRUE(laid.ok()) << laid.message();
    const PrintLayout& page = laid.value();
    EXPECT_EQ(page.module, c.module);
    EXPECT_EQ(page.bars_left, c.bars_left);
    EXPECT_EQ(page.bar_height, c.bar_height);
    EXPECT_EQ(page.caption_height, c.caption_height);
    // What every page must hold, whatever the row.
    EXPECT_EQ(page.bars_width, modules * page.module);
    EXPECT_EQ(page.quiet_zone, 10 * page.module);
    EXPECT_GE(page.bars_left, page.quiet_zone);
    EXPECT_LE(page.bars_left + page.bars_width + page.quiet_zone, c.area.width);
    EXPECT_LE(c.area.width - (page.bars_left + page.bars_width) - page.bars_left, 1) << "centred";
    EXPECT_GE(page.module * 25400, 190 * c.area.dpi_x) << "never below 0.19 mm";
    EXPECT_EQ(page.bars_top, 0);
    if (c.look.caption) {
      EXPECT_GT(page.caption_top, page.bar_height) << "the caption under the bars";
    }
    EXPECT_GE(page.bottom, c.look.caption ? page.caption_top + page.caption_height : page.bar_height);
    EXPECT_LE(page.bottom, c.area.height);
  });
}

TEST(PrintLayout, RefusesWhatDoesNotFit) {
  struct Case {
    std::string content;
    PrintableArea area;
    PrintLayoutError code;
    const char* reason;
  };
  const Case cases[] = {
      /* 0*/ {Letters(80), A4Portrait(300), PrintLayoutError::kTooLongForPaper,
              "935 modules need 2805 dots at 3 (0.254 mm), A4 has 2380"},
      /* 1*/
      {Letters(80),
       {300, 300, 935 * 3 - 1, 3408},
       PrintLayoutError::kTooLongForPaper,
       "one dot short of 935 modules of 3"},
      /* 2*/ {Letters(80), A4Portrait(203), PrintLayoutError::kTooLongForPaper, "1 dot is 0.125 mm"},
      /* 3*/ {Letters(40), Label2x1(203), PrintLayoutError::kTooLongForPaper, "0 whole dots a module"},
      /* 4*/
      {"5",
       {300, 300, 591, 142},
       PrintLayoutError::kTooTallForPaper,
       "a 12 mm high label: 10 mm bars and the caption need 193 rows"},
      /* 5*/ {"5", {0, 300, 2380, 3408}, PrintLayoutError::kUnusable, "no resolution across"},
      /* 6*/ {"5", {300, 300, 2380, 0}, PrintLayoutError::kUnusable, "no printable height"},
      /* 7*/
      {"5", {20000, 20000, 200000, 300000}, PrintLayoutError::kUnusable, "20,000 dpi: no printer has it"},
  };
  testing::ForEachRow(cases, [](const Case& c) {
    const PrintLayoutResult laid = LayOutPrintedBarcode(ModulesOf(c.content), c.area);
    ASSERT_FALSE(laid.ok());
    EXPECT_EQ(laid.code(), c.code) << laid.message();
  });
}

}  // namespace
}  // namespace sw

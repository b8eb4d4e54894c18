// Label sheets: each preset's cells against its published margins and pitch, and barcodes fitted into
// their labels.
#include "render/label_sheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "encode/code128_encoder.h"
#include "render/barcode_canvas.h"
#include "tests/support/case_table.h"

namespace sw {
namespace {

// A 600 dpi printer whose printable area starts a sixth of an inch from the paper's edges.
constexpr PrinterPage At600{{600, 600, 4760, 6814}, 100, 100};

TEST(LabelSheet, CellsLieAtThePublishedPitch) {
  struct Case {
    std::size_t sheet;
    int columns, rows;
    double width, height, top, left, across, down;  // millimetres, as the sheets' makers publish them
    const char* reason;
  };
  const Case cases[] = {
      /* 0*/ {2, 3, 8, 70, 37, 0.5, 0, 70, 37, "A4 24 labels 70 x 37"},
      /* 1*/ {3, 3, 7, 63.5, 38.1, 15.15, 7.25, 66, 38.1, "A4 21 labels 63.5 x 38.1"},
      /* 2*/ {4, 2, 7, 99.1, 38.1, 15.15, 4.65, 101.6, 38.1, "A4 14 labels 99.1 x 38.1"},
      /* 3*/ {5, 5, 13, 38.1, 21.2, 10.7, 4.75, 40.6, 21.2, "A4 65 labels 38.1 x 21.2"},
      /* 4*/ {6, 4, 10, 48.5, 25.4, 21.5, 8, 48.5, 25.4, "A4 40 labels 48.5 x 25.4"},
      /* 5*/ {7, 3, 10, 66.675, 25.4, 12.7, 4.7625, 69.85, 25.4, "Letter 30 labels 2 5/8 x 1 in"},
      /* 6*/ {8, 4, 20, 44.45, 12.7, 12.7, 7.62, 52.07, 12.7, "Letter 80 labels 1 3/4 x 1/2 in"},
  };
  static_assert(std::size(cases) == kLabelSheetCount - 2, "every sheet of labels has its row");
  testing::ForEachRow(cases, [](const Case& c) {
    const LabelSheet& sheet = LabelSheets()[c.sheet];
    const auto dots = [](double mm) { return mm * 600 / 25.4; };
    const std::vector<DotRect> cells = LabelCells(sheet, At600);
    ASSERT_EQ(cells.size(), static_cast<std::size_t>(c.columns * c.rows));
    // Within half a dot, and the micron to which the table rounds 3/16 in.
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const int column = static_cast<int>(i) % c.columns, row = static_cast<int>(i) / c.columns;
      EXPECT_LE(std::abs(cells[i].left + 100 - dots(c.left + column * c.across)), 0.55) << "cell " << i;
      EXPECT_LE(std::abs(cells[i].top + 100 - dots(c.top + row * c.down)), 0.55) << "cell " << i;
      EXPECT_LE(std::abs(cells[i].width - dots(c.width)), 1) << "cell " << i;
      EXPECT_LE(std::abs(cells[i].height - dots(c.height)), 1) << "cell " << i;
    }
  });
}

TEST(LabelSheet, BarcodesFitCentredInTheirLabels) {
  struct Case {
    std::size_t sheet;
    std::string content;
    BarcodeLook look;
    std::int32_t module;  // 0: refused
    const char* reason;
  };
  const Case cases[] = {
      /* 0*/ {2, "SKU0098", {}, 8, "0.33 mm is 8 dots at 600 dpi"},
      /* 1*/ {5, "SKU0098", {}, 6, "38.1 mm holds 6 dots (0.25 mm) a module, not 8"},
      /* 2*/ {5, "SKU00980123456789AB", {}, 0, "nor 0.19 mm for 19 characters"},
      /* 3*/ {8, "12345678", {}, 8, "12.7 mm high: the automatic bars are shortened to the label"},
      /* 4*/ {8, "12345678", {330, 10000, true, 10}, 0, "10 mm bars chosen and a caption need 16 mm"},
      /* 5*/ {2, "SKU0098", {330, 30000, false, 10}, 8, "30 mm bars without a caption"},
      /* 6*/ {1, "SKU0098", {}, 8, "the label printer's paper"},
  };
  testing::ForEachRow(cases, [](const Case& c) {
    const LabelSheet& sheet = LabelSheets()[c.sheet];
    const DotRect cell = LabelCells(sheet, At600).back();
    const std::int64_t modules = ModuleCount(Code128Encoder().Widths(c.content));
    const PrintLayoutResult laid = LayOutLabel(modules, cell, At600, c.look, sheet.kind);
    ASSERT_EQ(laid.ok(), c.module != 0) << (laid.ok() ? "" : laid.message());
    if (!laid.ok()) return;
    const PrintLayout& label = laid.value();
    EXPECT_EQ(label.module, c.module);
    const int left = label.bars_left - cell.left,
              right = cell.left + cell.width - label.bars_left - label.bars_width;
    EXPECT_LE(std::abs(left - right), 1) << "centred across";
    EXPECT_GE(left, label.quiet_zone);
    const int above = label.bars_top - cell.top, below = cell.top + cell.height - label.bottom;
    EXPECT_LE(std::abs(above - below), 1) << "centred down";
    EXPECT_GE(above, sheet.kind == SheetKind::kSheet ? 23 : 0) << "a millimetre from the label's edge";
    if (c.look.bar_height_microns > 0) {
      EXPECT_EQ(label.bar_height, (c.look.bar_height_microns * 600 + 12700) / 25400) << "as chosen";
    }
  });
}

TEST(LabelSheet, TheMessageNamesTheLabelsSize) {
  // "条码放不进 70 × 37 毫米的标签，请缩短内容或调小条宽吧！", byte for byte.
  EXPECT_EQ(
      LabelTooSmallMessage(70000, 37000),
      "\xcc\xf5\xc2\xeb\xb7\xc5\xb2\xbb\xbd\xf8 70 \xa1\xc1 37 \xba\xc1\xc3\xd7\xb5\xc4\xb1\xea\xc7\xa9\xa3"
      "\xac\xc7\xeb\xcb\xf5\xb6\xcc\xc4\xda\xc8\xdd\xbb\xf2\xb5\xf7\xd0\xa1\xcc\xf5\xbf\xed\xb0\xc9\xa3\xa1");
  EXPECT_NE(LabelTooSmallMessage(66675, 25400).find(" 66.7 \xa1\xc1 25.4 "), std::string::npos);
}

}  // namespace
}  // namespace sw

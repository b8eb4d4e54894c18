#include "render/label_sheet.h"

#include <algorithm>
#include <limits>

namespace sw {
namespace {

constexpr std::int64_t kMicronsPerInch = 25400;
constexpr std::int32_t kA4Width = 210000, kA4Height = 297000;
constexpr std::int32_t kLetterWidth = 215900, kLetterHeight = 279400;
// A label's die cut wanders by about a millimetre: an automatic bar height keeps that far from its edges.
constexpr std::int64_t kLabelEdgeMicrons = 1000;
// Shorter bars than this are hard to cross with a hand scanner's line even at right angles.
constexpr std::int64_t kShortestLabelBarMicrons = 4000;

using K = SheetKind;
// The margins and pitches are the makers' published specifications of these sheets (the README names
// the product codes they match); Letter sheets are measured in inches, here converted exactly.
constexpr std::array<LabelSheet, kLabelSheetCount> kSheets = {{
    // "整页（每页一个）": the whole page, one a page.
    /* 0*/ {"\xd5\xfb\xd2\xb3\xa3\xa8\xc3\xbf\xd2\xb3\xd2\xbb\xb8\xf6\xa3\xa9", K::kWholePage, 0, 0, 1, 1, 0,
            0, 0, 0, 0, 0},
    // "标签打印机（每张一个）": a label printer, one on each label.
    /* 1*/
    {"\xb1\xea\xc7\xa9\xb4\xf2\xd3\xa1\xbb\xfa\xa3\xa8\xc3\xbf\xd5\xc5\xd2\xbb\xb8\xf6\xa3\xa9",
     K::kLabelPrinter, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0},
    // "A4 3×8（70×37 毫米）", and so on: paper, columns × rows, the label's size in millimetres.
    /* 2*/
    {"A4 3\xa1\xc1"
     "8\xa3\xa8"
     "70\xa1\xc1"
     "37 \xba\xc1\xc3\xd7\xa3\xa9",
     K::kSheet, kA4Width, kA4Height, 3, 8, 70000, 37000, 500, 0, 70000, 37000},
    /* 3*/
    {"A4 3\xa1\xc1"
     "7\xa3\xa8"
     "63.5\xa1\xc1"
     "38.1 \xba\xc1\xc3\xd7\xa3\xa9",
     K::kSheet, kA4Width, kA4Height, 3, 7, 63500, 38100, 15150, 7250, 66000, 38100},
    /* 4*/
    {"A4 2\xa1\xc1"
     "7\xa3\xa8"
     "99.1\xa1\xc1"
     "38.1 \xba\xc1\xc3\xd7\xa3\xa9",
     K::kSheet, kA4Width, kA4Height, 2, 7, 99100, 38100, 15150, 4650, 101600, 38100},
    /* 5*/
    {"A4 5\xa1\xc1"
     "13\xa3\xa8"
     "38.1\xa1\xc1"
     "21.2 \xba\xc1\xc3\xd7\xa3\xa9",
     K::kSheet, kA4Width, kA4Height, 5, 13, 38100, 21200, 10700, 4750, 40600, 21200},
    /* 6*/
    {"A4 4\xa1\xc1"
     "10\xa3\xa8"
     "48.5\xa1\xc1"
     "25.4 \xba\xc1\xc3\xd7\xa3\xa9",
     K::kSheet, kA4Width, kA4Height, 4, 10, 48500, 25400, 21500, 8000, 48500, 25400},
    // 2⅝ × 1 in at 2¾ in across; 1¾ × ½ in at 2.05 in across; half an inch from the top.
    /* 7*/
    {"Letter 3\xa1\xc1"
     "10\xa3\xa8"
     "66.7\xa1\xc1"
     "25.4 \xba\xc1\xc3\xd7\xa3\xa9",
     K::kSheet, kLetterWidth, kLetterHeight, 3, 10, 66675, 25400, 12700, 4763, 69850, 25400},
    /* 8*/
    {"Letter 4\xa1\xc1"
     "20\xa3\xa8"
     "44.5\xa1\xc1"
     "12.7 \xba\xc1\xc3\xd7\xa3\xa9",
     K::kSheet, kLetterWidth, kLetterHeight, 4, 20, 44450, 12700, 12700, 7620, 52070, 12700},
}};

// Every sheet's labels lie on its paper, one pitch apart and never overlapping.
constexpr bool SheetsLieOnTheirPaper() {
  for (const LabelSheet& s : kSheets) {
    if (s.kind != K::kSheet) continue;
    if (s.horizontal_pitch < s.label_width || s.vertical_pitch < s.label_height) return false;
    if (s.left_margin + (s.columns - 1) * s.horizontal_pitch + s.label_width > s.page_width) return false;
    if (s.top_margin + (s.rows - 1) * s.vertical_pitch + s.label_height > s.page_height) return false;
  }
  return kSheets[0].kind == K::kWholePage;
}
static_assert(SheetsLieOnTheirPaper());

std::int32_t Dots(std::int64_t microns, std::int32_t dpi) {
  return static_cast<std::int32_t>((microns * dpi + kMicronsPerInch / 2) / kMicronsPerInch);
}

PrintLayoutResult Refuse(PrintLayoutError code, std::string message) {
  return Failure<PrintLayoutError>{code, std::move(message)};
}

// "70", "63.5", "66.7": millimetres to a tenth, as the sheets are sold.
std::string Millimetres(std::int32_t microns) {
  const std::int32_t tenths = (microns + 50) / 100;
  std::string text = std::to_string(tenths / 10);
  if (tenths % 10 != 0) text.append(1, '.').append(std::to_string(tenths % 10));
  return text;
}

}  // namespace

const std::array<LabelSheet, kLabelSheetCount>& LabelSheets() { return kSheets; }

std::vector<std::string_view> SheetNames() {
  std::vector<std::string_view> names;
  for (const LabelSheet& sheet : kSheets) names.push_back(sheet.name);
  return names;
}

std::int32_t LabelsPerPage(const LabelSheet& sheet) { return sheet.columns * sheet.rows; }

std::vector<DotRect> LabelCells(const LabelSheet& sheet, const PrinterPage& page) {
  if (sheet.kind != K::kSheet) return {DotRect{0, 0, page.area.width, page.area.height}};
  std::vector<DotRect> cells;
  for (std::int32_t row = 0; row < sheet.rows; ++row) {
    for (std::int32_t column = 0; column < sheet.columns; ++column) {
      const std::int64_t left = sheet.left_margin + std::int64_t{column} * sheet.horizontal_pitch;
      const std::int64_t top = sheet.top_margin + std::int64_t{row} * sheet.vertical_pitch;
      const std::int32_t x = Dots(left, page.area.dpi_x);
      const std::int32_t y = Dots(top, page.area.dpi_y);
      cells.push_back({x - page.offset_x, y - page.offset_y,
                       Dots(left + sheet.label_width, page.area.dpi_x) - x,
                       Dots(top + sheet.label_height, page.area.dpi_y) - y});
    }
  }
  return cells;
}

LabelPlace PlaceOfLabel(const LabelSheet& sheet, std::int32_t start, std::int64_t index) {
  const std::int32_t per_page = LabelsPerPage(sheet);
  // A start past the sheet's last label is the last label.
  const std::int64_t at = std::clamp(start, 1, per_page) - 1 + index;
  return {at / per_page, static_cast<std::int32_t>(at % per_page)};
}

std::int64_t PagesForLabels(const LabelSheet& sheet, std::int32_t start, std::int64_t labels) {
  return labels <= 0 ? 0 : PlaceOfLabel(sheet, start, labels - 1).page + 1;
}

PrintLayoutResult LayOutLabel(std::int64_t modules, const DotRect& cell, const PrinterPage& page,
                              const BarcodeLook& look, SheetKind kind) {
  PrintableArea inside{page.area.dpi_x, page.area.dpi_y, cell.width, cell.height};
  if (kind == K::kWholePage) {
    return LayOutPrintedBarcode(modules, inside, look);
  }
  // Laid out without a height limit first, so that an automatic height can be shortened to the label.
  inside.height = std::numeric_limits<std::int32_t>::max() / 4;
  PrintLayoutResult laid = LayOutPrintedBarcode(modules, inside, look);
  if (!laid.ok()) return laid;
  PrintLayout layout = laid.value();
  const std::int32_t edge = kind == K::kSheet ? Dots(kLabelEdgeMicrons, page.area.dpi_y) : 0;
  const std::int32_t room = cell.height - 2 * edge;
  if (layout.bottom > room && look.bar_height_microns == 0) {
    const std::int32_t shorter = layout.bar_height - (layout.bottom - room);
    if (shorter >= Dots(kShortestLabelBarMicrons, page.area.dpi_y)) {
      layout.caption_top -= layout.bar_height - shorter;
      layout.bottom = room;
      layout.bar_height = shorter;
    }
  }
  if (layout.bottom > room) {
    return Refuse(PrintLayoutError::kTooTallForPaper, std::to_string(layout.bottom) +
                                                          " rows do not fit a label of " +
                                                          std::to_string(cell.height) + " dots");
  }
  const std::int32_t down = cell.top + (cell.height - layout.bottom) / 2;
  layout.bars_left += cell.left;
  layout.bars_top += down;
  layout.caption_top += down;
  layout.bottom += down;
  return layout;
}

std::int32_t MicronsOf(std::int32_t dots, std::int32_t dpi) {
  return dpi <= 0 ? 0 : static_cast<std::int32_t>(std::int64_t{dots} * kMicronsPerInch / dpi);
}

std::string LabelTooSmallMessage(std::int32_t width_microns, std::int32_t height_microns) {
  // "条码放不进 " + size + " 毫米的标签，请缩短内容或调小条宽吧！"
  return "\xcc\xf5\xc2\xeb\xb7\xc5\xb2\xbb\xbd\xf8 " + Millimetres(width_microns) + " \xa1\xc1 " +
         Millimetres(height_microns) +
         " \xba\xc1\xc3\xd7\xb5\xc4\xb1\xea\xc7\xa9\xa3\xac\xc7\xeb\xcb\xf5\xb6\xcc\xc4\xda\xc8\xdd\xbb\xf2"
         "\xb5\xf7\xd0\xa1\xcc\xf5\xbf\xed\xb0\xc9\xa3\xa1";
}

}  // namespace sw

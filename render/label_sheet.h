// Sheets of labels: where each label of a sheet lies on the page, in printer dots, and how a barcode is
// fitted into one. Lengths in the table are microns, as the sheets' makers publish them in millimetres.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "render/print_layout.h"

namespace sw {

enum class SheetKind {
  kWholePage,     // one barcode a page, at the top of the printable area, as a single print has it
  kLabelPrinter,  // the printer's paper is the label: one barcode centred on each
  kSheet,         // a sheet of labels, columns x rows at the published pitch
};

struct LabelSheet {
  std::string_view name;  // GBK, as the settings window lists it
  SheetKind kind;
  std::int32_t page_width, page_height;  // microns; 0 for the printer's own paper
  std::int32_t columns, rows;
  std::int32_t label_width, label_height;
  std::int32_t top_margin, left_margin;           // from the paper's edge to the first label's
  std::int32_t horizontal_pitch, vertical_pitch;  // from one label's edge to the next one's
};

inline constexpr std::size_t kLabelSheetCount = 9;
const std::array<LabelSheet, kLabelSheetCount>& LabelSheets();
// The names, in the table's order, for the settings window's list.
std::vector<std::string_view> SheetNames();

// A label (or the page's printable area) in device dots, from the printable area's corner.
struct DotRect {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  bool operator==(const DotRect&) const = default;
};

// The printer as a page is drawn on it: resolution, printable area, and where that area begins on the
// paper (PHYSICALOFFSETX/Y), since the sheet's labels are measured from the paper's edge.
struct PrinterPage {
  PrintableArea area;
  std::int32_t offset_x = 0, offset_y = 0;
};

std::int32_t LabelsPerPage(const LabelSheet& sheet);
// One page's cells in reading order (left to right, then down). Neighbouring cells share their edges'
// rounding, so labels at one pitch never drift apart.
std::vector<DotRect> LabelCells(const LabelSheet& sheet, const PrinterPage& page);

// Where the `index`th label of a run goes (from 0), when the first goes at label `start` (from 1).
struct LabelPlace {
  std::int64_t page = 0;
  std::int32_t cell = 0;
  bool operator==(const LabelPlace&) const = default;
};
LabelPlace PlaceOfLabel(const LabelSheet& sheet, std::int32_t start, std::int64_t index);
std::int64_t PagesForLabels(const LabelSheet& sheet, std::int32_t start, std::int64_t labels);

// The barcode laid out inside `cell`, centred both ways (at the top for the whole page), in the cell's
// coordinates. An automatic bar height that the label cannot hold is shortened to what the label leaves
// under a millimetre's edge; a chosen one is kept or refused.
PrintLayoutResult LayOutLabel(std::int64_t modules, const DotRect& cell, const PrinterPage& page,
                              const BarcodeLook& look, SheetKind kind);

// "条码放不进 70 × 37 毫米的标签，请缩短内容或调小条宽吧！": the barcode fits no label of this size.
std::string LabelTooSmallMessage(std::int32_t width_microns, std::int32_t height_microns);
// A length in dots at `dpi`, in microns: the size of a label printer's label, for the message.
std::int32_t MicronsOf(std::int32_t dots, std::int32_t dpi);

}  // namespace sw

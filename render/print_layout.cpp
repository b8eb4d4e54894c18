#include "render/print_layout.h"

#include <algorithm>
#include <string>

namespace sw {
namespace {

constexpr std::int64_t kMicronsPerInch = 25400;
// A module of 0.33 mm scans at every reading distance a hand scanner is used at; below 0.19 mm, bars
// printed by an ordinary office or label printer smear into each other.
constexpr std::int64_t kSmallestModuleMicrons = 190;
constexpr std::int64_t kQuietZoneModules = 10;
// Bars at least 10 mm high, and at least 15% of the bars' width (quiet zones not counted), so that a
// hand scanner's line can cross them at a slant.
constexpr std::int64_t kShortestBarMicrons = 10000;
constexpr std::int64_t kBarHeightPercent = 15;
constexpr std::int64_t kPointsPerInch = 72;
// Above any printer's resolution, and low enough that no product below can overflow.
constexpr std::int64_t kHighestDpi = 10000;

std::int64_t DivideRoundingUp(std::int64_t a, std::int64_t b) { return (a + b - 1) / b; }

PrintLayoutResult Refuse(PrintLayoutError code, std::string message) {
  return Failure<PrintLayoutError>{code, std::move(message)};
}

// Whole dots nearest to a length in microns.
std::int64_t NearestDots(std::int64_t microns, std::int64_t dpi) {
  return (microns * dpi + kMicronsPerInch / 2) / kMicronsPerInch;
}

std::int64_t SmallestModuleDots(std::int64_t dpi) {
  return DivideRoundingUp(kSmallestModuleMicrons * dpi, kMicronsPerInch);
}

}  // namespace

std::int64_t ModuleDots(std::int64_t module_microns, std::int64_t dpi) {
  // 0.19 mm at 300 dpi is 2.24 dots: the nearest, 2, would be under the smallest module.
  return std::max({std::int64_t{1}, NearestDots(module_microns, dpi), SmallestModuleDots(dpi)});
}

PrintLayoutResult LayOutPrintedBarcode(std::int64_t modules, const PrintableArea& area,
                                       const BarcodeLook& look) {
  if (modules <= 0 || area.dpi_x <= 0 || area.dpi_y <= 0 || area.width <= 0 || area.height <= 0 ||
      area.dpi_x > kHighestDpi || area.dpi_y > kHighestDpi || look.module_microns <= 0 ||
      look.bar_height_microns < 0 || look.caption_points <= 0) {
    return Refuse(PrintLayoutError::kUnusable, "no printable area, or nothing to print");
  }
  const std::int64_t target = ModuleDots(look.module_microns, area.dpi_x);
  const std::int64_t smallest = SmallestModuleDots(area.dpi_x);
  const std::int64_t across = modules + 2 * kQuietZoneModules;
  const std::int64_t module = std::min(target, area.width / across);
  if (module < smallest) {
    return Refuse(PrintLayoutError::kTooLongForPaper, std::to_string(across) + " modules do not fit " +
                                                          std::to_string(area.width) + " dots at " +
                                                          std::to_string(smallest) + " dots a module");
  }
  const std::int64_t bars_width = modules * module;
  // The bars' width is in dots across; the share of it is measured in dots down.
  const std::int64_t bar_height =
      look.bar_height_microns > 0
          ? std::max<std::int64_t>(1, NearestDots(look.bar_height_microns, area.dpi_y))
          : std::max(DivideRoundingUp(kShortestBarMicrons * area.dpi_y, kMicronsPerInch),
                     DivideRoundingUp(bars_width * kBarHeightPercent * area.dpi_y,
                                      100 * std::int64_t{area.dpi_x}));
  const std::int64_t caption_height =
      look.caption ? (look.caption_points * area.dpi_y + kPointsPerInch / 2) / kPointsPerInch : 0;
  // Half a character's height between the bars and the caption; the caption's line is given a quarter
  // more than its characters' height, for the ascent and descent that a face adds to them.
  const std::int64_t caption_top = bar_height + caption_height / 2;
  const std::int64_t bottom =
      look.caption ? caption_top + DivideRoundingUp(caption_height * 5, 4) : bar_height;
  if (bottom > area.height) {
    return Refuse(PrintLayoutError::kTooTallForPaper,
                  std::to_string(bottom) + " rows do not fit " + std::to_string(area.height) + " dots");
  }
  PrintLayout layout;
  layout.module = static_cast<std::int32_t>(module);
  layout.quiet_zone = static_cast<std::int32_t>(kQuietZoneModules * module);
  layout.bars_width = static_cast<std::int32_t>(bars_width);
  layout.bars_left = static_cast<std::int32_t>((area.width - bars_width) / 2);
  layout.bars_top = 0;
  layout.bar_height = static_cast<std::int32_t>(bar_height);
  layout.caption_height = static_cast<std::int32_t>(caption_height);
  layout.caption_top = static_cast<std::int32_t>(caption_top);
  layout.bottom = static_cast<std::int32_t>(bottom);
  return layout;
}

}  // namespace sw

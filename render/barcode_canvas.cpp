#include "render/barcode_canvas.h"

#include <cstring>
#include <limits>

#include "render/palette.h"
#include "render/truncate.h"

namespace sw {
namespace {

int DigitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

}  // namespace

std::int64_t ModuleCount(std::string_view widths) {
  std::int64_t modules = 0;
  for (char c : widths) modules += DigitValue(c);
  return modules;
}

Bitmap RenderWidths(std::string_view widths) {
  const std::int64_t width = kModulePixels * ModuleCount(widths) + kLeftMargin + kRightMargin;
  Bitmap canvas;
  // A width past the 32-bit range is passed on as -1 so that Create reports it.
  const std::int32_t canvas_width =
      width <= std::numeric_limits<std::int32_t>::max() ? static_cast<std::int32_t>(width) : -1;
  if (!canvas.Create(canvas_width, kCanvasHeight, 1, kWhite)) return canvas;

  // Every bar row is the same: draw the first one as SetPixel(c, r, black) would, then copy it.
  Dib& image = *canvas.Image();
  const std::uint32_t black = NearestPaletteIndex(image.Table(), kBlack);
  std::uint8_t* first = image.Row(kFirstBarRow);
  std::int32_t x = kLeftMargin;
  bool bar = true;
  for (char c : widths) {
    const std::int32_t span = kModulePixels * DigitValue(c);
    if (bar) {
      for (std::int32_t column = x; column < x + span; ++column) WriteIndex(first, column, 1, black);
    }
    x += span;
    bar = !bar;
  }
  for (std::int32_t row = kFirstBarRow + 1; row <= kLastBarRow; ++row) {
    std::memcpy(image.Row(row), first, image.Layout().stride);
  }
  return canvas;
}

std::int32_t EstimateTextWidth(std::string_view text, std::int32_t font_size) {
  const std::int64_t per_byte = TruncToInt32(font_size * 0.7);
  const std::int64_t estimate = static_cast<std::int64_t>(text.size()) * per_byte;
  // Only an absurd text length could leave the 32-bit range; saturate rather than wrap.
  if (estimate > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (estimate < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(estimate);
}

}  // namespace sw

#include "app/barcode_picture_win.h"

#include <cstring>
#include <limits>
#include <optional>

#include "base/bmp_format.h"
#include "base/handles_win.h"
#include "render/barcode_canvas.h"
#include "render/dib.h"
#include "render/png_writer.h"
#include "render/print_page_win.h"

namespace sw::app {
namespace {

constexpr std::int32_t kDpi = 300;
constexpr std::int64_t kQuietZoneModules = 10;
constexpr std::int32_t kBottomMargin = 12;  // 1 mm of paper under the last line

struct MonochromeInfo {
  BITMAPINFOHEADER header{};
  RGBQUAD colors[2]{};  // black ink, white paper
};

}  // namespace

std::vector<std::uint8_t> BarcodePictureAt300Dpi(const BarcodeSymbol& symbol, const BarcodeLook& look,
                                                 const LOGFONTW& font) {
  const std::int64_t modules = ModuleCount(symbol.widths);
  if (modules <= 0 || look.module_microns <= 0) return {};
  // The page is the symbol's own width at the module the layout will choose, and as high as it needs;
  // the picture is then cut under the layout's bottom.
  const std::int64_t width = (modules + 2 * kQuietZoneModules) * ModuleDots(look.module_microns, kDpi);
  if (width > std::numeric_limits<std::int32_t>::max()) return {};
  const PrintableArea area{kDpi, kDpi, static_cast<std::int32_t>(width),
                           std::numeric_limits<std::int32_t>::max()};
  const PrintLayoutResult laid = LayOutPrintedBarcode(modules, area, look);
  if (!laid.ok()) return {};
  const std::int64_t height = std::int64_t{laid.value().bottom} + kBottomMargin;
  const std::optional<DibLayout> plan = PlanDib(width, height, 1, 2);
  if (!plan) return {};

  MonochromeInfo info;
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = static_cast<LONG>(width);
  info.header.biHeight = static_cast<LONG>(height);  // bottom-up, as the file stores its rows
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  info.header.biSizeImage = static_cast<DWORD>(plan->PixelBytes());
  info.header.biXPelsPerMeter = static_cast<LONG>(kPixelsPerMetreAt300Dpi);
  info.header.biYPelsPerMeter = static_cast<LONG>(kPixelsPerMetreAt300Dpi);
  info.header.biClrUsed = 2;
  info.colors[1] = {255, 255, 255, 0};
  void* bits = nullptr;
  const ScopedBitmap canvas(
      CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
  const ScopedMemoryDc dc = CreateMemoryDc(nullptr);
  const ScopedSelect selected = SelectInto(dc.get(), canvas.get());
  if (bits == nullptr || !selected) return {};
  // The printed page's spaces are the paper's white; here the paper is painted first.
  if (!PatBlt(dc.get(), 0, 0, static_cast<int>(width), static_cast<int>(height), WHITENESS) ||
      !DrawPrintedBarcode(dc.get(), laid.value(), symbol.widths, symbol.caption, font)) {
    return {};
  }
  GdiFlush();

  const std::size_t offset = bmp::kFileHeaderSize + sizeof info;
  std::vector<std::uint8_t> bytes(offset + plan->PixelBytes());
  BITMAPFILEHEADER file{};
  file.bfType = bmp::kFileType;
  file.bfSize = static_cast<DWORD>(bytes.size());
  file.bfOffBits = static_cast<DWORD>(offset);
  std::memcpy(bytes.data(), &file, bmp::kFileHeaderSize);
  std::memcpy(bytes.data() + bmp::kFileHeaderSize, &info, sizeof info);
  std::memcpy(bytes.data() + offset, bits, plan->PixelBytes());
  return bytes;
}

}  // namespace sw::app

#include "app/barcode_host_win.h"

#include <cstring>

#include "app/layout_ids.h"
#include "render/bitmap.h"
#include "ui/units/draw_panel_unit_win.h"

namespace sw::app {
namespace {

using layout::BarcodeHostWindow;

// Width and height from a BMP's info header (offsets 18 and 22 of the file).
bool HasSize(const std::vector<std::uint8_t>& bmp, std::int32_t width, std::int32_t height) {
  constexpr std::size_t kWidthAt = 18;
  constexpr std::size_t kHeightAt = 22;
  if (bmp.size() < kHeightAt + 4) return false;
  std::int32_t stored_width = 0;
  std::int32_t stored_height = 0;
  std::memcpy(&stored_width, bmp.data() + kWidthAt, 4);
  std::memcpy(&stored_height, bmp.data() + kHeightAt, 4);
  return stored_width == width && stored_height == height;
}

}  // namespace

bool BarcodeHostCaption::IsLoaded() const { return runtime_.IsLoaded(BarcodeHostWindow::kId); }

// Whether it loaded is asked through IsLoaded, as everything else about the host window is.
void BarcodeHostCaption::LoadHidden() { static_cast<void>(runtime_.LoadWindow(BarcodeHostWindow::kId)); }

void BarcodeHostCaption::Unload() {
  if (const HWND window = runtime_.Handle(BarcodeHostWindow::kId)) DestroyWindow(window);
}

void BarcodeHostCaption::SetPanelSize(std::int32_t width, std::int32_t height) {
  width_ = width;
  height_ = height;
  runtime_.SetProperty(BarcodeHostWindow::kBarcodePanel, Property::kWidth, PropertyValue{width});
  runtime_.SetProperty(BarcodeHostWindow::kBarcodePanel, Property::kHeight, PropertyValue{height});
  // A window stops at 32767 pixels, and a long content's barcode is wider: the image takes the whole size.
  if (DrawPanelUnit* panel = runtime_.FindDrawPanel(BarcodeHostWindow::kBarcodePanel)) {
    panel->ResizeImage(width, height);
  }
}

void BarcodeHostCaption::SetPanelBackground(std::span<const std::uint8_t> bmp) {
  DrawPanelUnit* panel = runtime_.FindDrawPanel(BarcodeHostWindow::kBarcodePanel);
  if (panel == nullptr) return;
  panel->SetBackgroundPicture(bmp);
  // Picture decoding stops at 16384 pixels a side, and a long content's bars are wider (about 500
  // letters): the bars are also painted straight from the bitmap, whose block is a packed DIB.
  Bitmap bars;
  if (!bars.LoadData(bmp)) return;
  const Dib& dib = *bars.Image();
  const std::uint8_t* block = dib.Block().data();
  panel->DrawDibAt(0, 0, *reinterpret_cast<const BITMAPINFO*>(block), block + dib.Layout().PixelOffset());
}

std::int32_t BarcodeHostCaption::PanelFontSize() {
  const DrawPanelUnit* panel = runtime_.FindDrawPanel(BarcodeHostWindow::kBarcodePanel);
  return panel != nullptr ? panel->FontSizePoints() : 0;
}

void BarcodeHostCaption::WriteText(std::int32_t x, std::int32_t y, std::string_view text) {
  if (DrawPanelUnit* panel = runtime_.FindDrawPanel(BarcodeHostWindow::kBarcodePanel))
    panel->DrawTextAt(x, y, text);
}

std::vector<std::uint8_t> BarcodeHostCaption::ReadPanelBmp() {
  const DrawPanelUnit* panel = runtime_.FindDrawPanel(BarcodeHostWindow::kBarcodePanel);
  if (panel == nullptr) return {};
  std::vector<std::uint8_t> bmp = panel->ImageAsBmp();
  if (!HasSize(bmp, width_, height_)) return {};
  return bmp;
}

}  // namespace sw::app

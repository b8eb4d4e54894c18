#include "ui/units/draw_panel_unit_win.h"

#include <cstring>

#include "base/text_codepage_win.h"
#include "ui/picture/picture_paint_win.h"
#include "ui/runtime/unit_font_win.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw {
namespace {

constexpr int kScreenDpi = 96;
constexpr int kPointsPerInch = 72;

std::size_t Stride24(int width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }

}  // namespace

DrawPanelUnit::DrawPanelUnit(WindowInstance& window, const UnitRecord& record)
    : Unit(window, record),
      properties_(std::get<DrawPanelProperties>(record.properties)),
      background_picture_(properties_.background_picture) {}

bool DrawPanelUnit::Create(HWND parent) {
  font_ = MakeFont(properties_.font);
  if (!CreateSystemWindow(0, kDrawPanelClass, L"", ChildStyle(), parent)) return false;
  return ResizeCanvas(record().width, record().height);
}

COLORREF DrawPanelUnit::Background() const {
  if (properties_.background_color != kNoColor) return static_cast<COLORREF>(properties_.background_color);
  return Unit::Background();
}

bool DrawPanelUnit::ResizeCanvas(int width, int height) {
  canvas_.reset();
  bits_ = nullptr;
  width_ = 0;
  height_ = 0;
  if (width <= 0 || height <= 0) return true;  // nothing to keep; reads back as no image
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as a BMP file stores its rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  canvas_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
  if (!canvas_) {
    bits_ = nullptr;
    return false;
  }
  width_ = width;
  height_ = height;
  Redraw();
  return true;
}

void DrawPanelUnit::Redraw() {
  if (!canvas_) return;
  const ScopedMemoryDc memory = CreateMemoryDc(nullptr);
  const ScopedSelect select = SelectInto(memory.get(), canvas_.get());
  const RECT area{0, 0, width_, height_};
  PaintPictureInArea(memory.get(), background_picture_.Decoded(), area, area, PicturePlacement::kNatural,
                     Background());
  GdiFlush();
  if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, FALSE);
}

std::int32_t DrawPanelUnit::FontSizePoints() const {
  const std::int32_t height =
      properties_.font.height < 0 ? -properties_.font.height : properties_.font.height;
  return MulDiv(height, kPointsPerInch, kScreenDpi);
}

bool DrawPanelUnit::DrawTextAt(std::int32_t x, std::int32_t y, std::string_view gbk) {
  if (!canvas_) return false;
  {
    const ScopedMemoryDc memory = CreateMemoryDc(nullptr);
    const ScopedSelect select = SelectInto(memory.get(), canvas_.get());
    const ScopedSelect font =
        SelectInto(memory.get(), font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(SYSTEM_FONT));
    SetBkMode(memory.get(), TRANSPARENT);
    SetTextColor(memory.get(), static_cast<COLORREF>(properties_.text_color & 0x00FFFFFF));
    const std::wstring text = WideFromGbk(gbk);
    TextOutW(memory.get(), x, y, text.c_str(), static_cast<int>(text.size()));
    GdiFlush();
  }
  if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, FALSE);
  return true;
}

bool DrawPanelUnit::DrawDibAt(std::int32_t x, std::int32_t y, const BITMAPINFO& info, const void* bits) {
  if (!canvas_ || bits == nullptr) return false;
  const LONG width = info.bmiHeader.biWidth;
  const LONG height = info.bmiHeader.biHeight < 0 ? -info.bmiHeader.biHeight : info.bmiHeader.biHeight;
  int lines = 0;
  {
    const ScopedMemoryDc memory = CreateMemoryDc(nullptr);
    const ScopedSelect select = SelectInto(memory.get(), canvas_.get());
    lines = SetDIBitsToDevice(memory.get(), x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0,
                              0, static_cast<UINT>(height), bits, &info, DIB_RGB_COLORS);
    GdiFlush();
  }
  if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, FALSE);
  return lines > 0;
}

bool DrawPanelUnit::SetBackgroundPicture(std::span<const std::uint8_t> bytes) {
  background_picture_.Set(bytes);
  Redraw();
  return true;
}

Bytes DrawPanelUnit::ImageAsBmp() const {
  if (!canvas_ || bits_ == nullptr) return {};
  GdiFlush();
  const std::size_t rows = Stride24(width_) * static_cast<std::size_t>(height_);
  constexpr std::size_t kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  Bytes bmp(kHeaders + rows);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfSize = static_cast<DWORD>(bmp.size());
  file.bfOffBits = kHeaders;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(BITMAPINFOHEADER);
  info.biWidth = width_;
  info.biHeight = height_;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(rows);
  std::memcpy(bmp.data(), &file, sizeof file);
  std::memcpy(bmp.data() + sizeof file, &info, sizeof info);
  std::memcpy(bmp.data() + kHeaders, bits_, rows);
  return bmp;
}

void DrawPanelUnit::PaintContent(HDC dc, const RECT& update) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  ScopedBrush brush(CreateSolidBrush(Background()));
  FillRect(dc, &update, brush.get());
  if (!canvas_) return;
  const ScopedMemoryDc memory = CreateMemoryDc(dc);
  const ScopedSelect select = SelectInto(memory.get(), canvas_.get());
  BitBlt(dc, 0, 0, width_, height_, memory.get(), 0, 0, SRCCOPY);
}

LRESULT DrawPanelUnit::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      const ScopedPaint paint = BeginPainting(hwnd());
      PaintContent(paint.get().info.hdc, paint.get().info.rcPaint);
      return 0;
    }
    case WM_SIZE: {
      // A new size starts a new image (the background and its picture); text drawn before is gone.
      const int width = LOWORD(lparam);
      const int height = HIWORD(lparam);
      if (width != width_ || height != height_) ResizeCanvas(width, height);
      return Default(message, wparam, lparam);
    }
    default: return Default(message, wparam, lparam);
  }
}

std::optional<PropertyValue> DrawPanelUnit::GetProperty(Property property) const {
  if (property == Property::kPicture) return PropertyValue{background_picture_.bytes()};
  return Unit::GetProperty(property);
}

bool DrawPanelUnit::SetProperty(Property property, const PropertyValue& value) {
  if (property == Property::kPicture) {
    const auto* bytes = std::get_if<Bytes>(&value);
    return bytes != nullptr && SetBackgroundPicture(*bytes);
  }
  return Unit::SetProperty(property, value);
}

}  // namespace sw

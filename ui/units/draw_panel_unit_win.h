// DrawPanel: a drawing surface that keeps its image in a 24-bit memory bitmap of its own, so that the image
// can be read back as BMP bytes even while the panel's window is hidden, covered or 0 x 0.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "base/handles_win.h"
#include "ui/picture/cached_picture_win.h"
#include "ui/runtime/unit_win.h"

namespace sw {

class DrawPanelUnit : public Unit {
 public:
  DrawPanelUnit(WindowInstance& window, const UnitRecord& record);

  bool Create(HWND parent) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void PaintContent(HDC dc, const RECT& update) override;
  COLORREF Background() const override;
  std::optional<PropertyValue> GetProperty(Property property) const override;
  bool SetProperty(Property property, const PropertyValue& value) override;

  // The stored font's size in points, its height taken at 96 pixels an inch (height -32: 24 points), so
  // that the size keeps its relation to the font's pixel height on any display.
  std::int32_t FontSizePoints() const;
  // Writes `gbk` with its top-left corner at (x, y), in the panel's font and text colour, no background.
  bool DrawTextAt(std::int32_t x, std::int32_t y, std::string_view gbk);
  // Clears the image to the background colour and paints the picture at natural size at the top left.
  bool SetBackgroundPicture(std::span<const std::uint8_t> bytes);
  // The image as a BMP file: 24 bits a pixel, bottom-up, the panel's size. Empty for a 0 x 0 panel.
  Bytes ImageAsBmp() const;
  // Paints a device-independent bitmap at its natural size, top-left corner at (x, y). `info` (header and
  // colour table) and `bits` must describe each other: a bitmap the caller made or checked.
  bool DrawDibAt(std::int32_t x, std::int32_t y, const BITMAPINFO& info, const void* bits);
  // Gives the image a size of its own, beyond what a window can be (32767 pixels): a cleared image with
  // the background picture. The window keeps its size; a later resize of the window sets both again.
  bool ResizeImage(int width, int height) { return ResizeCanvas(width, height); }

 private:
  bool ResizeCanvas(int width, int height);  // a cleared image with the background picture
  void Redraw();

  const DrawPanelProperties& properties_;
  CachedPicture background_picture_;
  ScopedFont font_;
  ScopedBitmap canvas_;
  void* bits_ = nullptr;  // the canvas's rows, bottom-up, 4-byte aligned
  int width_ = 0;
  int height_ = 0;
};

}  // namespace sw

// What the barcode needs from the window that prints its caption (a hidden window with a drawing panel).
// The Windows program supplies the real one; without one, barcodes stay bare bars.
// Implementations must not throw: they run inside the window runtime.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace sw {

class CaptionHost {
 public:
  virtual ~CaptionHost() = default;

  virtual bool IsLoaded() const = 0;
  virtual void LoadHidden() = 0;
  virtual void Unload() = 0;

  virtual void SetPanelSize(std::int32_t width, std::int32_t height) = 0;
  virtual void SetPanelBackground(std::span<const std::uint8_t> bmp) = 0;
  virtual std::int32_t PanelFontSize() = 0;
  // Draws `text` (GBK bytes) at (x, y) in the panel's font and colours.
  virtual void WriteText(std::int32_t x, std::int32_t y, std::string_view text) = 0;
  // The panel as it now looks, at its own size: a 24-bit, bottom-up BMP.
  virtual std::vector<std::uint8_t> ReadPanelBmp() = 0;
};

}  // namespace sw

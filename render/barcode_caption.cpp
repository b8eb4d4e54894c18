#include "render/barcode_caption.h"

#include <utility>

#include "render/barcode_canvas.h"
#include "render/truncate.h"

namespace sw {

void AddCaption(Bitmap& barcode, std::string_view text, CaptionHost& host) {
  if (barcode.IsEmpty()) return;
  const std::int32_t width = barcode.GetWidth();
  const std::int32_t height = barcode.GetHeight();
  host.SetPanelSize(width, height);
  host.SetPanelBackground(barcode.GetData());
  const std::int32_t font_size = host.PanelFontSize();
  const std::int32_t text_width = EstimateTextWidth(text, font_size);
  host.WriteText(TruncToInt32(width / 2.0 - text_width / 2.0), TruncToInt32(height - 1.5 * font_size), text);
  // A panel that could not take the whole barcode, or an image too large to load, must not cost the
  // barcode itself: the bare bars stay, scannable without their caption.
  Bitmap captioned;
  if (captioned.LoadData(host.ReadPanelBmp())) barcode = std::move(captioned);
}

}  // namespace sw

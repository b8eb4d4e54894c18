#include "render/print_page_win.h"

#include <string>

#include "base/handles_win.h"
#include "base/text_codepage_win.h"

namespace sw {

PrintableArea PrintableAreaOf(HDC printer) {
  return {GetDeviceCaps(printer, LOGPIXELSX), GetDeviceCaps(printer, LOGPIXELSY),
          GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES)};
}

bool DrawPrintedBarcode(HDC dc, const PrintLayout& layout, std::string_view widths, std::string_view caption,
                        const LOGFONTW& font) {
  const ScopedSaveDc saved = SaveDcState(dc);
  // One logical unit a device dot, whatever mapping the DC came with.
  SetMapMode(dc, MM_TEXT);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  bool drawn = true;
  std::int32_t x = layout.bars_left;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const std::int32_t dots = (widths[i] - '0') * layout.module;
    if (i % 2 == 0) {
      const RECT bar{x, layout.bars_top, x + dots, layout.bars_top + layout.bar_height};
      drawn = FillRect(dc, &bar, black) != 0 && drawn;
    }
    x += dots;
  }
  if (layout.caption_height <= 0) return drawn;  // the caption is turned off
  const std::wstring text = WideFromGbk(caption);
  LOGFONTW caption_font = font;
  caption_font.lfHeight = -layout.caption_height;  // negative: the characters' height, not the cell's
  caption_font.lfWidth = 0;
  ScopedFont made(CreateFontIndirectW(&caption_font));
  // A caption wider than the bars with their quiet zones (a long run of digits, packed two a symbol) is
  // set smaller until it fits under them, rather than running off the paper.
  const std::int32_t room = layout.bars_width + 2 * layout.quiet_zone;
  SIZE extent{};
  {
    const ScopedSelect measuring = SelectInto(dc, made.get());
    if (!measuring || !GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent)) {
      extent.cx = 0;
    }
  }  // the font is no longer selected, and may be replaced
  if (extent.cx > room) {
    caption_font.lfHeight = static_cast<LONG>(std::int64_t{caption_font.lfHeight} * room / extent.cx);
    made = ScopedFont(CreateFontIndirectW(&caption_font));
  }
  const ScopedSelect selected = SelectInto(dc, made.get());
  if (!selected) return false;
  SetTextAlign(dc, TA_TOP | TA_CENTER | TA_NOUPDATECP);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  drawn = TextOutW(dc, layout.bars_left + layout.bars_width / 2, layout.caption_top, text.c_str(),
                   static_cast<int>(text.size())) != 0 &&
          drawn;
  return drawn;
}

}  // namespace sw

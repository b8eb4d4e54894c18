#include "ui/runtime/unit_font_win.h"

#include <algorithm>

#include "base/text_codepage_win.h"

namespace sw {

LOGFONTW WideLogFont(const LogicalFont& font) {
  LOGFONTW wide{};
  wide.lfHeight = font.height;
  wide.lfWidth = font.width;
  wide.lfEscapement = font.escapement;
  wide.lfOrientation = font.orientation;
  wide.lfWeight = font.weight;
  wide.lfItalic = font.italic;
  wide.lfUnderline = font.underline;
  wide.lfStrikeOut = font.strike_out;
  wide.lfCharSet = font.char_set;
  wide.lfOutPrecision = font.out_precision;
  wide.lfClipPrecision = font.clip_precision;
  wide.lfQuality = font.quality;
  wide.lfPitchAndFamily = font.pitch_and_family;
  const std::wstring face = WideFromGbk(font.face);
  std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), wide.lfFaceName);
  return wide;
}

ScopedFont MakeFont(const LogicalFont& font) {
  const LOGFONTW wide = WideLogFont(font);
  return ScopedFont(CreateFontIndirectW(&wide));
}

}  // namespace sw

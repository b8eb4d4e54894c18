// The Code 128 encoder a generate command makes, uses and destroys: text to segments, symbols, widths and
// a barcode bitmap (captioned when a caption host is loaded, bare bars otherwise).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "encode/segments.h"
#include "encode/symbols.h"
#include "render/bitmap.h"
#include "render/caption_host.h"

namespace sw {

class Code128Encoder {
 public:
  // Loads the caption host hidden when it is not loaded yet. The host is not owned and may be null.
  explicit Code128Encoder(CaptionHost* host = nullptr);
  // Unloads the caption host if it is loaded.
  ~Code128Encoder();
  Code128Encoder(Code128Encoder&& other) noexcept;
  Code128Encoder& operator=(Code128Encoder&& other) noexcept;
  Code128Encoder(const Code128Encoder&) = delete;
  Code128Encoder& operator=(const Code128Encoder&) = delete;

  Code128Encoder Clone() const;
  void CloseBarcodeHost();

  Bitmap MakeBarcode(std::string_view text);
  // The bars of widths made elsewhere (GS1-128), under them `caption` as MakeBarcode captions its text.
  Bitmap MakeBarcodeFromWidths(std::string_view widths, std::string_view caption);
  std::int32_t EstimateTextWidth(std::string_view text, std::int32_t font_size) const;
  code128::Segments SplitIntoSegments(std::string_view text) const;
  Bitmap RenderWidths(std::string_view widths) const;

  // The stages of MakeBarcode before drawing.
  code128::SymbolSequence Symbols(std::string_view text) const;
  std::string Widths(std::string_view text) const;

 private:
  struct SharedHost {};
  Code128Encoder(CaptionHost* host, SharedHost) : host_(host) {}

  CaptionHost* host_ = nullptr;
};

}  // namespace sw

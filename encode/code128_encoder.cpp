#include "encode/code128_encoder.h"

#include <utility>

#include "render/barcode_canvas.h"
#include "render/barcode_caption.h"

namespace sw {

Code128Encoder::Code128Encoder(CaptionHost* host) : host_(host) {
  if (host_ != nullptr && !host_->IsLoaded()) host_->LoadHidden();
}

Code128Encoder::~Code128Encoder() { CloseBarcodeHost(); }

Code128Encoder::Code128Encoder(Code128Encoder&& other) noexcept
    : host_(std::exchange(other.host_, nullptr)) {}

Code128Encoder& Code128Encoder::operator=(Code128Encoder&& other) noexcept {
  if (this != &other) {
    CloseBarcodeHost();
    host_ = std::exchange(other.host_, nullptr);
  }
  return *this;
}

// The copy talks to the same host window; the tables are shared constants.
Code128Encoder Code128Encoder::Clone() const { return Code128Encoder(host_, SharedHost{}); }

void Code128Encoder::CloseBarcodeHost() {
  if (host_ != nullptr && host_->IsLoaded()) host_->Unload();
}

Bitmap Code128Encoder::MakeBarcode(std::string_view text) {
  return MakeBarcodeFromWidths(Widths(text), text);
}

Bitmap Code128Encoder::MakeBarcodeFromWidths(std::string_view widths, std::string_view caption) {
  Bitmap barcode = RenderWidths(widths);
  if (host_ != nullptr && host_->IsLoaded()) AddCaption(barcode, caption, *host_);
  return barcode;
}

std::int32_t Code128Encoder::EstimateTextWidth(std::string_view text, std::int32_t font_size) const {
  return sw::EstimateTextWidth(text, font_size);
}

code128::Segments Code128Encoder::SplitIntoSegments(std::string_view text) const {
  return code128::SplitIntoSegments(text);
}

Bitmap Code128Encoder::RenderWidths(std::string_view widths) const { return sw::RenderWidths(widths); }

code128::SymbolSequence Code128Encoder::Symbols(std::string_view text) const {
  return code128::BuildSymbols(code128::SplitIntoSegments(text).list);
}

std::string Code128Encoder::Widths(std::string_view text) const {
  return code128::WidthString(Symbols(text));
}

}  // namespace sw

#include "app/barcode_symbol.h"

#include "encode/carried_text.h"
#include "encode/code128_encoder.h"
#include "encode/gs1.h"

namespace sw::app {

SymbolResult SymbolOf(std::string_view content, const BarcodeSettings& settings) {
  if (settings.gs1) {
    gs1::Widths widths = gs1::WidthsOf(content);
    if (!widths.ok()) return Failure<SymbolError>{SymbolError::kNotEncodable, widths.message()};
    // The element strings as typed, parentheses and all: what a label shows under the bars.
    return BarcodeSymbol{std::move(widths).value(), std::string(content)};
  }
  // The caption says what a scanner reads, which is what the bars carry.
  return BarcodeSymbol{Code128Encoder().Widths(content), code128::SplitCarried(content).carried};
}

}  // namespace sw::app

#include "app/barcode_symbol.h"

#include "encode/code128_encoder.h"

namespace sw::app {

SymbolResult SymbolOf(std::string_view content, const BarcodeSettings&) {
  return BarcodeSymbol{Code128Encoder().Widths(content), std::string(content)};
}

}  // namespace sw::app

#include "app/generated_barcode.h"

#include <utility>

#include "app/commands.h"

namespace sw::app {

GeneratedResult GeneratedBarcodeOf(std::string_view content, const BarcodeSettings& settings) {
  SymbolResult symbol = SymbolOf(content, settings);
  if (!symbol.ok()) return symbol.failure();
  // The picture's caption is the content as typed either way; a plain barcode that left characters out
  // says which.
  return GeneratedBarcode{std::move(symbol).value().widths, std::string(content),
                          settings.gs1 ? std::string() : LeftOutMessage(content)};
}

}  // namespace sw::app

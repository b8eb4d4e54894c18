// The symbol a print, a Save As or a copy draws for the generated content under the settings in force:
// the bars' widths and the caption under them, which shows what the bars carry.
#pragma once

#include <string>
#include <string_view>

#include "app/barcode_settings.h"
#include "base/result.h"

namespace sw::app {

struct BarcodeSymbol {
  std::string widths;   // bar and space widths in modules, start to stop (the encoder's width string)
  std::string caption;  // GBK
};

enum class SymbolError {
  kNotEncodable,  // the content cannot be encoded as the settings ask (not GS1 element strings, say)
};
using SymbolResult = Result<BarcodeSymbol, SymbolError>;

SymbolResult SymbolOf(std::string_view content, const BarcodeSettings& settings);

}  // namespace sw::app

// What a generate draws for the box's content under the settings in force: the bars and caption of the
// picture, C:\1.bmp and Ctrl+C's bitmap, and what it says once they are shown; or the message that
// refuses the content (GS1-128 element strings that fail their checks), the previous barcode staying.
#pragma once

#include <string>
#include <string_view>

#include "app/barcode_settings.h"
#include "app/barcode_symbol.h"
#include "base/result.h"

namespace sw::app {

struct GeneratedBarcode {
  std::string widths;
  std::string caption;    // the content as typed (GBK)
  std::string afterword;  // for an "Error Tips" window after the barcode is shown; empty: nothing to say
};
using GeneratedResult = Result<GeneratedBarcode, SymbolError>;

GeneratedResult GeneratedBarcodeOf(std::string_view content, const BarcodeSettings& settings);

}  // namespace sw::app

// What the settings window sets, for the rest of the run: the barcode's size and caption, GS1-128, and
// how many barcodes a print or a Save As makes and on what sheet. The program keeps nothing between runs.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/print_layout.h"

namespace sw::app {

struct BarcodeSettings {
  BarcodeLook look;       // module, bar height (0: automatic), caption and its size
  bool gs1 = false;       // the content is GS1 element strings: (01)09501101530003(10)AB12
  std::size_t sheet = 0;  // the sheet's row in the sheet table; 0 is the whole page, one barcode a page
  std::int32_t start_label = 1;  // the first label to use on the first sheet, from 1
  std::int32_t copies = 1;       // of each barcode, 1 to 999
  std::int32_t count = 1;        // barcodes in the run, 1 to 10,000
  std::int32_t step = 1;         // what the run's number counts up by, 1 to 1,000
  bool operator==(const BarcodeSettings&) const = default;
};

// The settings in force: the defaults until the settings window's OK changes them.
BarcodeSettings& CurrentSettings();

}  // namespace sw::app

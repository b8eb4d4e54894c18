// Runs of barcodes: a sequence and its copies printed onto a sheet of labels, and saved one file each.
#pragma once

#include <cstdint>
#include <string>

#include "app/barcode_settings.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw::app {

// Whether a print is more than one barcode on a whole page: a sheet, a run or copies.
bool PrintsAsRun(const BarcodeSettings& settings);
// Whether a Save As writes a run of files.
bool SavesAsRun(const BarcodeSettings& settings);

// The run from `content` under the settings in force, each barcode `copies` times, labels in reading order
// from the start position, pages as many as needed, in one print job.
std::int32_t PrintRun(const EventContext& context, const std::string& content);
// The Save dialog once, offering the first content's name; one file a barcode into the folder chosen.
std::int32_t SaveRunAs(const EventContext& context, const std::string& content);
// ReplaceTipsWindow's 确定: the run's files replace those already in the folder.
std::int32_t AnswerReplace(const EventContext& context);

}  // namespace sw::app

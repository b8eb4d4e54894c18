// The program's handlers, one per role that the window descriptions bind (app/resources/layout).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/files/save_dialog_win.h"
#include "ui/printing/print_job_win.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw::app {

// MainWindow
std::int32_t StartMainWindow(const EventContext& context);  // created: cue text into ContentEdit, shadow
std::int32_t OpenMakerPage(const EventContext& context);    // destroyed, and WebButton clicked
std::int32_t DragMainWindow(const EventContext& context);   // TitleBar and TitleLabel, left button down
std::int32_t CloseMainWindow(const EventContext& context);  // CloseButton clicked
std::int32_t ClearCueText(const EventContext& context);     // ContentEdit gains the focus
std::int32_t RestoreCueText(const EventContext& context);   // ContentEdit loses the focus
std::int32_t GenerateBarcode(const EventContext& context);  // GenerateButton clicked
std::int32_t SaveBarcode(const EventContext& context);      // SaveButton clicked
std::int32_t IgnoreEvent(const EventContext& context);      // FocusSink changed: nothing to do
std::int32_t CopyBarcode(const EventContext& context);      // Ctrl+C: the box's selection, else the barcode
std::int32_t GenerateFromContentBox(const EventContext& context);  // Enter in ContentEdit: generate, type on
std::int32_t PrintBarcode(const EventContext& context);            // Ctrl+P, and the barcode menu
std::int32_t SaveBarcodeAs(const EventContext& context);           // Ctrl+Shift+S, and the barcode menu
std::int32_t ShowBarcodeMenu(const EventContext& context);         // picture right-clicked; Menu, Shift+F10
// The barcode menu's Copy: the full-size barcode, never the box's selected text.
std::int32_t CopyFullSizeBarcode(const EventContext& context);
// BarcodeHostWindow
std::int32_t ShrinkBarcodeHost(const EventContext& context);  // created: width and height 0
// ErrorTipsWindow and TipsWindow
std::int32_t StartTipsWindow(const EventContext& context);  // created: shadow, TipsMessage into the label
// These two act on the window of the event: the settings window's title and 取消 as well.
std::int32_t DragTipsWindow(const EventContext& context);   // title bar or title label, left button down
std::int32_t CloseTipsWindow(const EventContext& context);  // TipsOkButton clicked

// For the commands kept in files of their own: a message in the "Tips" or "Error Tips" window (returning
// once the user has closed it), and the caption's font as the barcode's drawing panel has it.
void ShowTips(WindowRuntime& runtime, std::uint32_t tips_window_id, std::string message);
LOGFONTW CaptionFont(const WindowRuntime& runtime);
// The print dialog owned by the main window; where no printer comes of it, what the user is told (nothing
// for Cancel).
std::optional<ChosenPrinter> ChoosePrinterOrSayWhy(WindowRuntime& runtime);
// The Save As dialog of `types`, offering `content`'s name in the folder saved to last; a failure other than
// Cancel is told. The chosen folder becomes the one offered next.
std::optional<SaveDialogChoice> AskWhereToSaveAs(WindowRuntime& runtime, std::vector<SaveFileType> types,
                                                 const std::string& content);

}  // namespace sw::app

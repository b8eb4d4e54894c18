#include "app/handler_table_win.h"

#include <array>
#include <string_view>

#include "app/handlers_win.h"
#include "app/layout_ids.h"
#include "app/print_sheets_win.h"
#include "app/progress_window_win.h"
#include "app/settings_window_win.h"
#include "ui/runtime/unit_events.h"

namespace sw::app {
namespace {

using layout::ErrorTipsWindow;
using layout::Handler;
using layout::MainWindow;
using layout::ProgressWindow;
using layout::ReplaceTipsWindow;
using layout::SettingsWindow;
using layout::TipsWindow;

constexpr std::uint32_t Ref(Handler handler) { return static_cast<std::uint32_t>(handler); }

// In the order of the layout's handler list, one entry a line.
constexpr std::array<HandlerBinding, layout::kHandlerCount> kHandlers = {{
    {Ref(Handler::kStartMainWindow), "StartMainWindow", &StartMainWindow},
    {Ref(Handler::kOpenMakerPage), "OpenMakerPage", &OpenMakerPage},
    {Ref(Handler::kDragMainWindow), "DragMainWindow", &DragMainWindow},
    {Ref(Handler::kCloseMainWindow), "CloseMainWindow", &CloseMainWindow},
    {Ref(Handler::kClearCueText), "ClearCueText", &ClearCueText},  // 5
    {Ref(Handler::kRestoreCueText), "RestoreCueText", &RestoreCueText},
    {Ref(Handler::kGenerateBarcode), "GenerateBarcode", &GenerateBarcode},
    {Ref(Handler::kSaveBarcode), "SaveBarcode", &SaveBarcode},
    {Ref(Handler::kIgnoreEvent), "IgnoreEvent", &IgnoreEvent},
    {Ref(Handler::kShrinkBarcodeHost), "ShrinkBarcodeHost", &ShrinkBarcodeHost},  // 10
    {Ref(Handler::kStartTipsWindow), "StartTipsWindow", &StartTipsWindow},
    {Ref(Handler::kDragTipsWindow), "DragTipsWindow", &DragTipsWindow},
    {Ref(Handler::kCloseTipsWindow), "CloseTipsWindow", &CloseTipsWindow},
    {Ref(Handler::kCopyBarcode), "CopyBarcode", &CopyBarcode},  // bound to a key only
    {Ref(Handler::kGenerateFromContentBox), "GenerateFromContentBox",
     &GenerateFromContentBox},                                        // 15; bound to a key only
    {Ref(Handler::kPrintBarcode), "PrintBarcode", &PrintBarcode},     // bound to a key and the menu
    {Ref(Handler::kSaveBarcodeAs), "SaveBarcodeAs", &SaveBarcodeAs},  // bound to a key and the menu
    {Ref(Handler::kShowBarcodeMenu), "ShowBarcodeMenu", &ShowBarcodeMenu},
    {Ref(Handler::kShowSettingsWindow), "ShowSettingsWindow", &ShowSettingsWindow},
    {Ref(Handler::kStartSettingsWindow), "StartSettingsWindow", &StartSettingsWindow},  // 20
    {Ref(Handler::kApplySettings), "ApplySettings", &ApplySettings},
    {Ref(Handler::kUpdateSettingsSize), "UpdateSettingsSize", &UpdateSettingsSize},
    {Ref(Handler::kClearAutoHeight), "ClearAutoHeight", &ClearAutoHeight},
    {Ref(Handler::kRestoreAutoHeight), "RestoreAutoHeight", &RestoreAutoHeight},
    {Ref(Handler::kStartProgressWindow), "StartProgressWindow", &StartProgressWindow},  // 25
    {Ref(Handler::kCancelProgress), "CancelProgress", &CancelProgress},
    {Ref(Handler::kAnswerReplace), "AnswerReplace", &AnswerReplace},
}};

// A handler added to the layout but not here, or listed out of order, stops the build.
constexpr bool MatchesLayout() {
  for (std::size_t i = 0; i < kHandlers.size(); ++i) {
    if (kHandlers[i].reference != i + 1 || kHandlers[i].handler == nullptr ||
        std::string_view(kHandlers[i].name) != layout::kHandlerNames[i]) {
      return false;
    }
  }
  return true;
}
static_assert(MatchesLayout(), "the handler table must follow the layout's handler list");

constexpr std::uint32_t kAnywhere = 0;  // the focus may be in any unit of the window
constexpr std::uint32_t kNoUnit = 0;
constexpr std::uint32_t kNoHandler = 0;
constexpr std::int32_t kNoShift = 0;
constexpr std::int32_t kCtrl = event::kCtrlDown;
constexpr std::int32_t kShift = event::kShiftDown;

// The keys: a key that stands for a button presses it, so that it runs whatever a click runs. Enter in the
// box presses the generate button too, and then gives the box the focus back.
constexpr KeyShortcut kShortcuts[] = {
    {MainWindow::kId, MainWindow::kContentEdit, VK_RETURN, kNoShift, kNoUnit,
     Ref(Handler::kGenerateFromContentBox)},
    {MainWindow::kId, kAnywhere, 'S', kCtrl, MainWindow::kSaveButton, kNoHandler},
    {MainWindow::kId, kAnywhere, 'C', kCtrl, kNoUnit, Ref(Handler::kCopyBarcode)},
    {MainWindow::kId, kAnywhere, 'P', kCtrl, kNoUnit, Ref(Handler::kPrintBarcode)},
    {MainWindow::kId, kAnywhere, 'S', kCtrl | kShift, kNoUnit, Ref(Handler::kSaveBarcodeAs)},  // 5
    {MainWindow::kId, kAnywhere, VK_APPS, kNoShift, kNoUnit, Ref(Handler::kShowBarcodeMenu)},
    {MainWindow::kId, kAnywhere, VK_F10, kShift, kNoUnit, Ref(Handler::kShowBarcodeMenu)},
    {ErrorTipsWindow::kId, kAnywhere, VK_RETURN, kNoShift, ErrorTipsWindow::kTipsOkButton, kNoHandler},
    {ErrorTipsWindow::kId, kAnywhere, VK_ESCAPE, kNoShift, ErrorTipsWindow::kTipsOkButton, kNoHandler},
    {TipsWindow::kId, kAnywhere, VK_RETURN, kNoShift, TipsWindow::kTipsOkButton, kNoHandler},  // 10
    {TipsWindow::kId, kAnywhere, VK_ESCAPE, kNoShift, TipsWindow::kTipsOkButton, kNoHandler},
    {SettingsWindow::kId, kAnywhere, VK_RETURN, kNoShift, SettingsWindow::kSettingsOkButton, kNoHandler},
    {SettingsWindow::kId, kAnywhere, VK_ESCAPE, kNoShift, SettingsWindow::kSettingsCancelButton, kNoHandler},
    {ProgressWindow::kId, kAnywhere, VK_ESCAPE, kNoShift, ProgressWindow::kProgressCancelButton, kNoHandler},
    {ReplaceTipsWindow::kId, kAnywhere, VK_ESCAPE, kNoShift, ReplaceTipsWindow::kReplaceCancelButton,
     kNoHandler},  // 15
};

}  // namespace

std::span<const HandlerBinding> HandlerTable() { return kHandlers; }

std::span<const KeyShortcut> ShortcutTable() { return kShortcuts; }

}  // namespace sw::app

#include "app/barcode_menu_win.h"

#include <array>
#include <vector>

#include "app/app_texts.h"
#include "app/handlers_win.h"
#include "app/layout_ids.h"
#include "app/program_state.h"
#include "app/settings_window_win.h"
#include "ui/menu/popup_menu_win.h"
#include "ui/runtime/unit_events.h"

namespace sw::app {
namespace {

using layout::MainWindow;

// One entry a line, in menu order.
constexpr std::array<BarcodeMenuItem, 4> kItems = {{
    {kCopyMenuItem, &CopyFullSizeBarcode},
    {kSaveAsMenuItem, &SaveBarcodeAs},
    {kPrintMenuItem, &PrintBarcode},
    {kSettingsMenuItem, &ShowSettingsWindow, true},
}};

// Where the menu opens, in screen coordinates.
POINT MenuPoint(const EventContext& context) {
  WindowRuntime& runtime = context.runtime;
  if (context.event == event::kRightButtonUp) {
    // The event's x and y are client coordinates of the unit that was clicked.
    POINT at{context.args[0], context.args[1]};
    ClientToScreen(runtime.Handle(context.unit_id), &at);
    return at;
  }
  // A key has no place of its own: the menu opens over what it acts on, where an edit box opens its own
  // for a key, at the middle.
  RECT picture{};
  GetWindowRect(runtime.Handle(MainWindow::kBarcodePicture), &picture);
  return {picture.left + (picture.right - picture.left) / 2,
          picture.top + (picture.bottom - picture.top) / 2};
}

}  // namespace

std::span<const BarcodeMenuItem> BarcodeMenuItems() { return kItems; }

void RunBarcodeMenu(const EventContext& context, std::span<const BarcodeMenuItem> items) {
  const bool have_barcode = !FullSizeBarcode().empty();
  std::vector<PopupMenuItem> shown;
  shown.reserve(items.size());
  for (const BarcodeMenuItem& item : items)
    shown.push_back({item.text, have_barcode || item.without_barcode});
  const std::optional<std::size_t> chosen =
      ChoosePopupMenuItem(context.runtime.Handle(MainWindow::kId), shown, MenuPoint(context));
  if (chosen) items[*chosen].command(context);
}

}  // namespace sw::app

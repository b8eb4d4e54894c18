// The barcode's context menu: Copy, Save as, Print and the settings window, opened on the barcode picture by
// a right click, the Menu key or Shift+F10.
#pragma once

#include <span>
#include <string_view>

#include "ui/runtime/window_runtime_win.h"

namespace sw::app {

// An item of the menu: its text (GBK, with access key and shortcut) and the command it runs.
struct BarcodeMenuItem {
  std::string_view text;
  EventHandler command;
  bool without_barcode = false;  // offered before the first generate too
};

// The program's items, in menu order.
std::span<const BarcodeMenuItem> BarcodeMenuItems();

// Shows `items` for the event that asked for the menu: at the mouse for a right click on a unit, at the
// barcode picture's centre for a key. The items that need a barcode are greyed before the first generate.
// The chosen item's command runs with the same event.
void RunBarcodeMenu(const EventContext& context, std::span<const BarcodeMenuItem> items);

}  // namespace sw::app

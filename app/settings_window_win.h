// The settings window: opened from the main window's title bar and the barcode's menu, it shows the
// settings in force and applies what is typed on OK, once every field reads within its range.
#pragma once

#include <cstdint>

#include "ui/runtime/window_runtime_win.h"

namespace sw::app {

std::int32_t ShowSettingsWindow(const EventContext& context);   // SettingsButton clicked; the menu's item
std::int32_t StartSettingsWindow(const EventContext& context);  // created: the settings in force, shadow
std::int32_t ApplySettings(const EventContext& context);        // SettingsOkButton clicked, Enter
std::int32_t UpdateSettingsSize(const EventContext& context);   // module, height, caption changed
std::int32_t ClearAutoHeight(const EventContext& context);      // BarHeightEdit gains the focus
std::int32_t RestoreAutoHeight(const EventContext& context);    // BarHeightEdit loses the focus

}  // namespace sw::app

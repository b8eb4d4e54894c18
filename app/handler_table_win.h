// Binds every handler reference of the window descriptions to its function, and the keyboard shortcuts
// to the buttons they press or the handlers they run.
#pragma once

#include <span>

#include "ui/runtime/window_runtime_win.h"

namespace sw::app {

std::span<const HandlerBinding> HandlerTable();
std::span<const KeyShortcut> ShortcutTable();

}  // namespace sw::app

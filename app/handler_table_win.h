// Binds every handler reference of the window descriptions to its function.
#pragma once

#include <span>

#include "ui/window_runtime_win.h"

namespace sw::app {

std::span<const HandlerBinding> HandlerTable();

}  // namespace sw::app

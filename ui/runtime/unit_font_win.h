// A stored logical font as a Windows font; the GBK face name becomes a wide one.
#pragma once

#include <windows.h>

#include "base/handles_win.h"
#include "ui/description/window_description.h"

namespace sw {

LOGFONTW WideLogFont(const LogicalFont& font);
ScopedFont MakeFont(const LogicalFont& font);

}  // namespace sw

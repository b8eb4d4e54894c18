// GDI+ is started once, through the call table, and never shut down.
#pragma once

#include <windows.h>

namespace sw {

// Starts GDI+ unless it is running already. Its result is not checked: a failed start leaves the
// token at zero, and the next call tries again.
void StartGdiplus();
ULONG_PTR GdiplusToken();

}  // namespace sw

#include "shadow/gdiplus_startup_win.h"

#include "shadow/system_call_table_win.h"

namespace sw {
namespace {
ULONG_PTR g_token = 0;
}  // namespace

void StartGdiplus() {
  if (g_token != 0) return;
  gdip::StartupInput input;  // version 1, no debug callback, background thread and codecs on
  input.GdiplusVersion = 1;
  input.DebugEventCallback = nullptr;
  input.SuppressBackgroundThread = FALSE;
  input.SuppressExternalCodecs = FALSE;
  CallSystem<sysrow::kGdiplusStartup>(&g_token, &input, nullptr);
}

ULONG_PTR GdiplusToken() { return g_token; }

}  // namespace sw

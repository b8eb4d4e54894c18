// Owners for the GDI and GDI+ objects of one composition, on the one owner template; each releases its
// object through the call table, in reverse order of creation when declared in order of creation.
#pragma once

#include <windows.h>
#include <objidl.h>

#include "base/handle_owner.h"
#include "shadow/gdiplus_flat_win.h"
#include "shadow/system_call_table_win.h"

namespace sw {

namespace shadow_handles {
inline void DeleteMemoryDc(HDC dc) { CallSystem<sysrow::kDeleteDC>(dc); }
inline void DeleteGdiObject(HGDIOBJ object) { CallSystem<sysrow::kDeleteObject>(object); }
inline void FreeGlobal(HGLOBAL block) { CallSystem<sysrow::kGlobalFree>(block); }
inline void DeleteGraphics(gdip::GpGraphics* graphics) { CallSystem<sysrow::kGdipDeleteGraphics>(graphics); }
inline void DeletePen(gdip::GpPen* pen) { CallSystem<sysrow::kGdipDeletePen>(pen); }
inline void DeletePath(gdip::GpPath* path) { CallSystem<sysrow::kGdipDeletePath>(path); }
inline void DisposeImage(gdip::GpImage* image) { CallSystem<sysrow::kGdipDisposeImage>(image); }
inline void ReleaseStream(IStream* stream) { stream->Release(); }
// The libraries of the call table are loaded by this code itself, not imported.
inline void FreeSystemLibrary(HMODULE library) { FreeLibrary(library); }

// A window's DC, given back with ReleaseDC.
struct WindowDc {
  HWND window = nullptr;
  HDC dc = nullptr;
  bool operator==(const WindowDc&) const = default;
};
inline void ReleaseWindowDc(const WindowDc& held) { CallSystem<sysrow::kReleaseDC>(held.window, held.dc); }

// The object a DC had before SelectObject.
struct Selection {
  HDC dc = nullptr;
  HGDIOBJ previous = nullptr;
  bool operator==(const Selection&) const = default;
};
inline void PutBackSelection(const Selection& held) {
  CallSystem<sysrow::kSelectObject>(held.dc, held.previous);
}
}  // namespace shadow_handles

using MemoryDc = HandleOwner<HDC, shadow_handles::DeleteMemoryDc>;
using GdiObject = HandleOwner<HGDIOBJ, shadow_handles::DeleteGdiObject>;
using GlobalMemory = HandleOwner<HGLOBAL, shadow_handles::FreeGlobal>;
using GdipGraphics = HandleOwner<gdip::GpGraphics*, shadow_handles::DeleteGraphics>;
using GdipPen = HandleOwner<gdip::GpPen*, shadow_handles::DeletePen>;
using GdipPath = HandleOwner<gdip::GpPath*, shadow_handles::DeletePath>;
using GdipImage = HandleOwner<gdip::GpImage*, shadow_handles::DisposeImage>;
using StreamReference = HandleOwner<IStream*, shadow_handles::ReleaseStream>;
using LoadedLibrary = HandleOwner<HMODULE, shadow_handles::FreeSystemLibrary>;
using WindowDc = HandleOwner<shadow_handles::WindowDc, shadow_handles::ReleaseWindowDc>;
using SelectedObject = HandleOwner<shadow_handles::Selection, shadow_handles::PutBackSelection>;

// A window's DC (GetDC); empty when the system gives none.
inline WindowDc WindowDcOf(HWND window) {
  const HDC dc = CallSystem<sysrow::kGetDC>(window);
  return dc != nullptr ? WindowDc({window, dc}) : WindowDc();
}

// `object` selected into `dc`, with the previous one put back when the owner goes.
inline SelectedObject SelectedInto(HDC dc, HGDIOBJ object) {
  const HGDIOBJ previous = CallSystem<sysrow::kSelectObject>(dc, object);
  if (previous == nullptr || previous == HGDI_ERROR) return SelectedObject();
  return SelectedObject({dc, previous});
}

}  // namespace sw

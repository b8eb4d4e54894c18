// The Win32 and GDI handles of the runtime, each kind an alias of the one owner; scope guards that put
// a DC, a memory block or the clipboard back as they were are owners of a small state struct.
#pragma once

#include <windows.h>

#include "base/handle_owner.h"

namespace sw {
namespace handles {
inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }
inline void CloseFile(HANDLE file) { CloseHandle(file); }
inline void FreeGlobal(HGLOBAL block) { GlobalFree(block); }
inline void DestroyOwnedWindow(HWND window) { DestroyWindow(window); }
inline void DestroyMenuWithItems(HMENU menu) { DestroyMenu(menu); }
inline void DeleteMetafile(HENHMETAFILE metafile) { DeleteEnhMetaFile(metafile); }

// A DC from GetDC or GetWindowDC, given back with ReleaseDC.
struct WindowDc {
  HWND window = nullptr;
  HDC dc = nullptr;
  bool operator==(const WindowDc&) const = default;
};
inline void ReleaseWindowDc(const WindowDc& held) { ReleaseDC(held.window, held.dc); }

// The object a DC had before SelectObject.
struct Selection {
  HDC dc = nullptr;
  HGDIOBJ previous = nullptr;
  bool operator==(const Selection&) const = default;
};
inline void PutBackSelection(const Selection& held) { SelectObject(held.dc, held.previous); }

// A SaveDC level: everything a painter changes in the DC (origin, clip, colours) is undone.
struct SavedDc {
  HDC dc = nullptr;
  int level = 0;
  bool operator==(const SavedDc&) const = default;
};
inline void RestoreSavedDc(const SavedDc& held) { RestoreDC(held.dc, held.level); }

// BeginPaint's state; EndPaint is owed even when BeginPaint gave no DC.
struct Painting {
  HWND window = nullptr;
  PAINTSTRUCT info{};
  bool operator==(const Painting& other) const {
    return window == other.window && info.hdc == other.info.hdc;
  }
};
inline void EndPainting(const Painting& held) { EndPaint(held.window, &held.info); }

// A locked global memory block and where its bytes are.
struct LockedGlobal {
  HGLOBAL block = nullptr;
  void* data = nullptr;
  bool operator==(const LockedGlobal&) const = default;
};
inline void UnlockGlobal(const LockedGlobal& held) { GlobalUnlock(held.block); }

inline void CloseOpenClipboard(bool /*open*/) { CloseClipboard(); }

// A printer DC with a document started on it: aborted unless EndDoc took it and the owner was released.
inline void AbortDocument(HDC printer) { AbortDoc(printer); }

// A window disabled for a while, and the window inside it that had the focus, which disabling took away.
struct DisabledWindow {
  HWND window = nullptr;
  HWND focus = nullptr;
  bool operator==(const DisabledWindow&) const = default;
};
inline void EnableWindowAgain(const DisabledWindow& held) {
  EnableWindow(held.window, TRUE);
  if (held.focus != nullptr && IsWindow(held.focus)) SetFocus(held.focus);
}
}  // namespace handles

using ScopedBrush = HandleOwner<HBRUSH, handles::DeleteGdiObject>;
using ScopedPen = HandleOwner<HPEN, handles::DeleteGdiObject>;
using ScopedFont = HandleOwner<HFONT, handles::DeleteGdiObject>;
using ScopedBitmap = HandleOwner<HBITMAP, handles::DeleteGdiObject>;
using ScopedRegion = HandleOwner<HRGN, handles::DeleteGdiObject>;
// A window of the program's own making that no unit or runtime map looks after.
using ScopedWindow = HandleOwner<HWND, handles::DestroyOwnedWindow>;
// A menu of the program's making that no window holds (a popup menu), destroyed with its items.
using ScopedMenu = HandleOwner<HMENU, handles::DestroyMenuWithItems>;
using ScopedMemoryDc = HandleOwner<HDC, handles::DeleteMemoryDc>;
// An enhanced metafile, recorded or read; one given to the clipboard is released, not deleted.
using ScopedMetafile = HandleOwner<HENHMETAFILE, handles::DeleteMetafile>;
using ScopedWindowDc = HandleOwner<handles::WindowDc, handles::ReleaseWindowDc>;
using ScopedSelect = HandleOwner<handles::Selection, handles::PutBackSelection>;
using ScopedSaveDc = HandleOwner<handles::SavedDc, handles::RestoreSavedDc>;
using ScopedPaint = HandleOwner<handles::Painting, handles::EndPainting>;
// A file from CreateFile: INVALID_HANDLE_VALUE is never held (see OwnFile).
using ScopedFile = HandleOwner<HANDLE, handles::CloseFile>;
using ScopedGlobalMemory = HandleOwner<HGLOBAL, handles::FreeGlobal>;
using ScopedGlobalLock = HandleOwner<handles::LockedGlobal, handles::UnlockGlobal>;
// Holds true while the clipboard is open.
using ScopedClipboard = HandleOwner<bool, handles::CloseOpenClipboard>;
// A printer's DC (PrintDlg's or CreateDC's): DeleteDC gives it back, as it does a memory DC.
using ScopedPrinterDc = HandleOwner<HDC, handles::DeleteMemoryDc>;
using ScopedPrintDocument = HandleOwner<HDC, handles::AbortDocument>;
// A window disabled for a while, as a modal dialog disables its owner and gives the focus back after.
using ScopedDisabledWindow = HandleOwner<handles::DisabledWindow, handles::EnableWindowAgain>;

// A window's client-area DC (GetDC); empty when the system gives none.
inline ScopedWindowDc GetClientDc(HWND window) {
  const HDC dc = GetDC(window);
  return dc != nullptr ? ScopedWindowDc({window, dc}) : ScopedWindowDc();
}

// A window's whole DC, frame included (GetWindowDC); empty when the system gives none.
inline ScopedWindowDc GetFrameDc(HWND window) {
  const HDC dc = GetWindowDC(window);
  return dc != nullptr ? ScopedWindowDc({window, dc}) : ScopedWindowDc();
}

inline ScopedMemoryDc CreateMemoryDc(HDC compatible_with) {
  return ScopedMemoryDc(CreateCompatibleDC(compatible_with));
}

// Selects `object` into `dc` until the owner goes; nothing is selected for a null object.
inline ScopedSelect SelectInto(HDC dc, HGDIOBJ object) {
  if (dc == nullptr || object == nullptr) return ScopedSelect();
  const HGDIOBJ previous = SelectObject(dc, object);
  if (previous == nullptr || previous == HGDI_ERROR) return ScopedSelect();
  return ScopedSelect({dc, previous});
}

// Disables `window` until the owner goes; nothing for no window, or one that was disabled already.
inline ScopedDisabledWindow DisableWindow(HWND window) {
  if (window == nullptr || !IsWindowEnabled(window)) return ScopedDisabledWindow();
  const HWND focus = GetFocus();
  EnableWindow(window, FALSE);
  return ScopedDisabledWindow({window, focus});
}

inline ScopedSaveDc SaveDcState(HDC dc) {
  const int level = SaveDC(dc);
  return level != 0 ? ScopedSaveDc({dc, level}) : ScopedSaveDc();
}

inline ScopedPaint BeginPainting(HWND window) {
  handles::Painting painting{window};
  BeginPaint(window, &painting.info);
  return ScopedPaint(painting);
}

// CreateFile's INVALID_HANDLE_VALUE becomes an empty owner.
inline ScopedFile OwnFile(HANDLE file) {
  return file != INVALID_HANDLE_VALUE ? ScopedFile(file) : ScopedFile();
}

// A movable global memory block (GlobalAlloc), freed unless it has been handed over with release().
inline ScopedGlobalMemory AllocateGlobal(SIZE_T bytes) {
  return ScopedGlobalMemory(GlobalAlloc(GMEM_MOVEABLE, bytes));
}

// GlobalLock and GlobalUnlock; empty when the block cannot be locked.
inline ScopedGlobalLock LockGlobal(HGLOBAL block) {
  void* data = block != nullptr ? GlobalLock(block) : nullptr;
  return data != nullptr ? ScopedGlobalLock({block, data}) : ScopedGlobalLock();
}

inline SIZE_T LockedSize(const ScopedGlobalLock& locked) {
  return locked ? GlobalSize(locked.get().block) : 0;
}

// The clipboard, opened for `owner` and closed again. Another program (a clipboard viewer, the system's
// clipboard manager) may hold it open for a moment: opening is tried a few times over about 100 ms.
inline ScopedClipboard OpenClipboardFor(HWND owner) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (attempt > 0) Sleep(10);
    if (OpenClipboard(owner) != FALSE) return ScopedClipboard(true);
  }
  return ScopedClipboard();
}

}  // namespace sw

// Owners for the GDI and GDI+ objects of one composition; each releases its object through the call
// table, in reverse order of creation when declared in order of creation.
#pragma once

#include <windows.h>

#include <utility>

#include "shadow/gdiplus_flat_win.h"
#include "shadow/system_call_table_win.h"

namespace sw {

template <typename Handle, void (*Release)(Handle)>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, Handle{});
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  void reset() {
    if (handle_ != Handle{}) Release(std::exchange(handle_, Handle{}));
  }

 private:
  Handle handle_{};
};

namespace handles {
inline void DeleteMemoryDc(HDC dc) { CallSystem<sysrow::kDeleteDC>(dc); }
inline void DeleteGdiObject(HGDIOBJ object) { CallSystem<sysrow::kDeleteObject>(object); }
inline void DeleteGraphics(gdip::GpGraphics* graphics) { CallSystem<sysrow::kGdipDeleteGraphics>(graphics); }
inline void DeletePen(gdip::GpPen* pen) { CallSystem<sysrow::kGdipDeletePen>(pen); }
inline void DeletePath(gdip::GpPath* path) { CallSystem<sysrow::kGdipDeletePath>(path); }
}  // namespace handles

using MemoryDc = UniqueHandle<HDC, handles::DeleteMemoryDc>;
using GdiObject = UniqueHandle<HGDIOBJ, handles::DeleteGdiObject>;
using GdipGraphics = UniqueHandle<gdip::GpGraphics*, handles::DeleteGraphics>;
using GdipPen = UniqueHandle<gdip::GpPen*, handles::DeletePen>;
using GdipPath = UniqueHandle<gdip::GpPath*, handles::DeletePath>;

// A window's DC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(CallSystem<sysrow::kGetDC>(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) CallSystem<sysrow::kReleaseDC>(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a DC, with the previous one put back afterwards.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(CallSystem<sysrow::kSelectObject>(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) CallSystem<sysrow::kSelectObject>(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace sw

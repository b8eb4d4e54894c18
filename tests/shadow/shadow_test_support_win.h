// Owner windows and the captured shadow bitmap for the shadow tests under Wine.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "shadow/shadow_composition_win.h"

namespace sw::test {

// A frameless top-level window to hang a shadow on; destroyed (with its shadow) at scope end.
class OwnerWindow {
 public:
  OwnerWindow(int x, int y, int width, int height, bool visible = true) {
    static const ATOM kClass = [] {
      WNDCLASSEXA record{};
      record.cbSize = sizeof(record);
      record.lpfnWndProc = DefWindowProcA;
      record.hInstance = GetModuleHandleA(nullptr);
      record.lpszClassName = "SwShadowTestOwner";
      return RegisterClassExA(&record);
    }();
    (void)kClass;
    window_ = CreateWindowExA(0, "SwShadowTestOwner", "owner", WS_POPUP | (visible ? WS_VISIBLE : 0), x, y,
                              width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  ~OwnerWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  HWND get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// The last bitmap handed to UpdateLayeredWindow, read top row first.
class CapturedShadow {
 public:
  CapturedShadow() {
    Last() = {};
    SetShadowBitmapObserver(&Observe);
  }
  CapturedShadow(const CapturedShadow&) = delete;
  CapturedShadow& operator=(const CapturedShadow&) = delete;
  ~CapturedShadow() { SetShadowBitmapObserver(nullptr); }

  struct Bitmap {
    HWND shadow = nullptr;
    int width = 0;
    int height = 0;
    int count = 0;  // compositions seen
    std::vector<std::uint32_t> bottom_up;
  };
  const Bitmap& last() const { return Last(); }
  void clear() { Last() = {}; }
  int width() const { return Last().width; }
  int height() const { return Last().height; }
  std::uint32_t pixel(int x, int y) const {
    const Bitmap& b = Last();
    return b.bottom_up[static_cast<std::size_t>(b.height - 1 - y) * b.width + x];
  }
  int alpha(int x, int y) const { return static_cast<int>(pixel(x, y) >> 24); }
  int red(int x, int y) const { return static_cast<int>((pixel(x, y) >> 16) & 0xFF); }
  int green(int x, int y) const { return static_cast<int>((pixel(x, y) >> 8) & 0xFF); }
  int blue(int x, int y) const { return static_cast<int>(pixel(x, y) & 0xFF); }

 private:
  static Bitmap& Last() {
    static Bitmap bitmap;
    return bitmap;
  }
  static void Observe(HWND shadow, const std::uint32_t* pixels, int width, int height) {
    GdiFlush();  // GDI may still hold drawing for the DIB section
    Bitmap& b = Last();
    b.shadow = shadow;
    b.width = width;
    b.height = height;
    ++b.count;
    b.bottom_up.assign(pixels, pixels + static_cast<std::size_t>(width) * height);
  }
};

// Runs the messages that are waiting, so that posted work is done.
inline void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace sw::test

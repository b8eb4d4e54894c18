#include "shadow/shadow_window_win.h"

#include "shadow/shadow_composition_win.h"
#include "shadow/shadow_geometry.h"
#include "shadow/shadow_properties_win.h"
#include "shadow/system_call_table_win.h"

namespace sw {
namespace {

// The class record is the system's own size: 48 bytes on 32-bit Windows.
#ifndef _WIN64
static_assert(sizeof(WNDCLASSEXA) == 48);
#endif

bool IsLiveWindow(HWND window) { return CallSystem<sysrow::kIsWindow>(window) != FALSE; }

LONG_PTR ReplaceWindowProc(HWND window, LONG_PTR procedure) {
  return CallSystem<sysrow::kSetWindowLong>(window, GWLP_WNDPROC, procedure);
}

void DetachShadow(HWND owner) {
  HWND shadow = ShadowWindowOf(owner);
  if (IsLiveWindow(shadow)) {
    CallSystem<sysrow::kRemovePropA>(shadow, kShadowColorProperty);
    CallSystem<sysrow::kRemovePropA>(shadow, kShadowSizeProperty);
    CallSystem<sysrow::kDestroyWindow>(shadow);
  }
  CallSystem<sysrow::kRemovePropA>(owner, kShadowWindowProperty);
  if (HANDLE previous = ReadProperty(owner, kShadowProcProperty); previous != nullptr) {
    ReplaceWindowProc(owner, reinterpret_cast<LONG_PTR>(previous));
    CallSystem<sysrow::kRemovePropA>(owner, kShadowProcProperty);
  }
}

}  // namespace

bool SetWindowShadow(HWND owner, std::optional<COLORREF> color, std::optional<int> size) {
  if (!IsLiveWindow(owner)) return false;
  if (size.has_value() && *size < 1) {
    DetachShadow(owner);
    return false;
  }
  HWND shadow = GetShadowWindow(owner);
  if (shadow == nullptr) return false;
  WriteProperty32(shadow, kShadowColorProperty, color.value_or(kDefaultShadowColor));
  WriteProperty32(shadow, kShadowSizeProperty, static_cast<std::uint32_t>(size.value_or(kDefaultShadowSize)));
  UpdateShadow(owner);  // also draws it the first time
  if (ReadProperty(owner, kShadowProcProperty) == nullptr) {
    // Subclassed once: the saved procedure marks the owner as done.
    const LONG_PTR previous = ReplaceWindowProc(owner, reinterpret_cast<LONG_PTR>(&ShadowOwnerProc));
    CallSystem<sysrow::kSetPropA>(owner, kShadowProcProperty, reinterpret_cast<HANDLE>(previous));
  }
  return true;
}

HWND GetShadowWindow(HWND owner) {
  HWND shadow = ShadowWindowOf(owner);
  if (IsLiveWindow(shadow)) return shadow;
  if (!RegisterShadowClass(kShadowClassName)) return nullptr;
  // Owned by `owner`: the system keeps it above the owner and destroys it together with the owner.
  shadow = CallSystem<sysrow::kCreateWindowExA>(kShadowExStyle, kShadowClassName, "", kShadowStyle, 0, 0, 0,
                                                0, owner, nullptr,
                                                CallSystem<sysrow::kGetModuleHandleA>(nullptr), nullptr);
  if (shadow == nullptr) return nullptr;
  CallSystem<sysrow::kSetPropA>(owner, kShadowWindowProperty, shadow);  // overwrites a stale handle
  return shadow;
}

bool RegisterShadowClass(const char* class_name) {
  HINSTANCE instance = CallSystem<sysrow::kGetModuleHandleA>(nullptr);
  WNDCLASSEXA record{};
  record.cbSize = sizeof(WNDCLASSEXA);
  if (CallSystem<sysrow::kGetClassInfoExA>(instance, class_name, &record)) return true;
  record = WNDCLASSEXA{};
  record.cbSize = sizeof(WNDCLASSEXA);
  record.lpfnWndProc = &ShadowWindowProc;
  record.hInstance = instance;
  record.lpszClassName = class_name;
  return CallSystem<sysrow::kRegisterClassExA>(&record) != 0;
}

void UpdateShadow(HWND owner, std::optional<bool> visible) {
  HWND shadow = ShadowWindowOf(owner);
  if (shadow == nullptr) return;
  const bool show = visible.has_value() ? *visible : CallSystem<sysrow::kIsWindowVisible>(owner) != FALSE;
  // Hidden, maximised and minimised owners have no shadow.
  if (!show || CallSystem<sysrow::kIsZoomed>(owner) || CallSystem<sysrow::kIsIconic>(owner)) {
    CallSystem<sysrow::kShowWindow>(shadow, SW_HIDE);
    return;
  }
  if (!CallSystem<sysrow::kIsWindowVisible>(shadow)) CallSystem<sysrow::kShowWindow>(shadow, SW_SHOWNA);
  RECT rect{};
  CallSystem<sysrow::kGetWindowRect>(owner, &rect);
  const auto placement = PlaceShadow(rect.left, rect.top, rect.right, rect.bottom, ShadowSizeOf(shadow));
  if (!placement) return;  // an empty owner (or an impossible size) is neither moved nor drawn
  CallSystem<sysrow::kSetWindowPos>(shadow, nullptr, placement->x, placement->y, placement->width,
                                    placement->height, SWP_NOZORDER | SWP_NOACTIVATE);
  RenderShadow(owner, placement->width, placement->height);
}

LRESULT CALLBACK ShadowOwnerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  // The owner handles the message first; the shadow follows its outcome.
  const LRESULT result = CallPreviousOwnerProc(window, message, wparam, lparam);
  switch (message) {
    case WM_MOVE:
    case WM_SIZE:  // minimising, maximising and restoring arrive here too
      UpdateShadow(window);
      break;
    case WM_SHOWWINDOW:  // the window is not yet (or still) visible: believe the message
      UpdateShadow(window, wparam != 0);
      break;
    default: break;
  }
  return result;
}

LRESULT CallPreviousOwnerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  HANDLE previous = ReadProperty(window, kShadowProcProperty);
  if (previous == nullptr) return CallSystem<sysrow::kDefWindowProcA>(window, message, wparam, lparam);
  return CallSystem<sysrow::kCallWindowProcA>(reinterpret_cast<WNDPROC>(previous), window, message, wparam,
                                              lparam);
}

LRESULT CALLBACK ShadowWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  return CallSystem<sysrow::kDefWindowProcA>(window, message, wparam, lparam);
}

}  // namespace sw

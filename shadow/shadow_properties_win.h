// The four window properties that hold a shadow's whole state, each one 32-bit value.
#pragma once

#include <windows.h>

#include <cstdint>

#include "shadow/system_call_table_win.h"

namespace sw {

inline constexpr char kShadowWindowProperty[] = "Umbra.WndShadow";       // on the owner
inline constexpr char kShadowProcProperty[] = "Umbra.WndShadow.Proc";    // on the owner
inline constexpr char kShadowColorProperty[] = "Umbra.WndShadow.Color";  // on the shadow window
inline constexpr char kShadowSizeProperty[] = "Umbra.WndShadow.Size";    // on the shadow window

inline HANDLE ReadProperty(HWND window, const char* name) {
  return CallSystem<sysrow::kGetPropA>(window, name);
}

inline std::uint32_t ReadProperty32(HWND window, const char* name) {
  return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(ReadProperty(window, name)));
}

inline void WriteProperty32(HWND window, const char* name, std::uint32_t value) {
  CallSystem<sysrow::kSetPropA>(window, name, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(value)));
}

inline HWND ShadowWindowOf(HWND owner) {
  return static_cast<HWND>(ReadProperty(owner, kShadowWindowProperty));
}
inline COLORREF ShadowColorOf(HWND shadow) { return ReadProperty32(shadow, kShadowColorProperty); }
inline int ShadowSizeOf(HWND shadow) {
  return static_cast<std::int32_t>(ReadProperty32(shadow, kShadowSizeProperty));
}

}  // namespace sw

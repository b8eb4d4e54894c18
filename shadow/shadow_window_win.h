// The shadow window: a layered, click-through pop-up owned by a frameless window, kept `size` pixels
// outside it on every side through a subclassed window procedure. Works on any top-level window.
#pragma once

#include <windows.h>

#include <optional>

namespace sw {

inline constexpr char kShadowClassName[] = "Umbra.Shadow";
inline constexpr DWORD kShadowExStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;  // 0x08080020
inline constexpr DWORD kShadowStyle = WS_POPUP | WS_VISIBLE | WS_DISABLED;                     // 0x98000000
inline constexpr COLORREF kDefaultShadowColor = 0;                                             // black
inline constexpr int kDefaultShadowSize = 5;

// Attaches (or updates) the shadow of `owner`; a size given below 1 detaches it instead. True only
// after an attach.
bool SetWindowShadow(HWND owner, std::optional<COLORREF> color = std::nullopt,
                     std::optional<int> size = std::nullopt);

// The owner's shadow window, created if it has none; null on failure.
HWND GetShadowWindow(HWND owner);

// Registers the shadow window class for this module unless it is registered already.
bool RegisterShadowClass(const char* class_name);

// Shows, hides and places the shadow; `visible` left out: the owner's own visibility.
void UpdateShadow(HWND owner, std::optional<bool> visible = std::nullopt);

LRESULT CALLBACK ShadowOwnerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
LRESULT CallPreviousOwnerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
LRESULT CALLBACK ShadowWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;

}  // namespace sw

#include "ui/runtime/unit_events_win.h"

#include "ui/runtime/unit_events.h"

namespace sw {
namespace {

bool Down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// Client coordinates are signed 16-bit values (negative to the left of or above a captured window).
std::int32_t X(LPARAM lparam) { return static_cast<std::int16_t>(LOWORD(lparam)); }
std::int32_t Y(LPARAM lparam) { return static_cast<std::int16_t>(HIWORD(lparam)); }

RaisedEvent Mouse(std::int32_t event, LPARAM lparam) { return {event, {X(lparam), Y(lparam), ShiftState()}}; }

}  // namespace

std::int32_t ShiftState() {
  return (Down(VK_CONTROL) ? event::kCtrlDown : 0) | (Down(VK_SHIFT) ? event::kShiftDown : 0) |
         (Down(VK_MENU) ? event::kAltDown : 0);
}

std::optional<RaisedEvent> CommonEventFor(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN: return Mouse(event::kLeftButtonDown, lparam);
    case WM_LBUTTONUP: return Mouse(event::kLeftButtonUp, lparam);
    case WM_LBUTTONDBLCLK: return Mouse(event::kLeftDoubleClick, lparam);
    case WM_RBUTTONDOWN: return Mouse(event::kRightButtonDown, lparam);
    case WM_RBUTTONUP: return Mouse(event::kRightButtonUp, lparam);
    case WM_MOUSEMOVE: return Mouse(event::kMouseMove, lparam);
    case WM_SETFOCUS: return RaisedEvent{event::kFocusGained, {}};
    case WM_KILLFOCUS: return RaisedEvent{event::kFocusLost, {}};
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return RaisedEvent{event::kKeyDown, {static_cast<std::int32_t>(wparam), ShiftState(), 0}};
    case WM_KEYUP:
    case WM_SYSKEYUP: return RaisedEvent{event::kKeyUp, {static_cast<std::int32_t>(wparam), ShiftState(), 0}};
    case WM_CHAR: return RaisedEvent{event::kCharacter, {static_cast<std::int32_t>(wparam), 0, 0}};
    case WM_MOUSEWHEEL: {
      // One notch is 120; the distance is the high word of the first parameter, signed.
      const std::int32_t distance = static_cast<std::int16_t>(HIWORD(wparam));
      return RaisedEvent{event::kMouseWheel, {distance / WHEEL_DELTA, ShiftState(), 0}};
    }
    default: return std::nullopt;
  }
}

}  // namespace sw

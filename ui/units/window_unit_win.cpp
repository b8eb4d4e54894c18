#include "ui/units/window_unit_win.h"

#include "base/handles_win.h"
#include "base/text_codepage_win.h"
#include "ui/picture/picture_paint_win.h"
#include "ui/runtime/unit_events.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw {
namespace {

constexpr std::uint32_t kStartCentred = 1;
constexpr std::uint32_t kStartMinimised = 2;
constexpr std::uint32_t kStartMaximised = 3;

}  // namespace

POINT CentredOrigin(int screen_width, int screen_height, int width, int height) {
  return {(screen_width - width) / 2, (screen_height - height) / 2};
}

WindowUnit::WindowUnit(WindowInstance& window, const UnitRecord& record)
    : Unit(window, record),
      properties_(std::get<WindowProperties>(record.properties)),
      background_picture_(properties_.background_picture) {}

bool WindowUnit::Create(HWND owner) {
  const bool borderless = properties_.border_style == 0;
  DWORD style = WS_CLIPCHILDREN;
  // Border style 0: no border and no system caption. Any other style gets a plain captioned frame.
  style |= borderless ? WS_POPUP : WS_OVERLAPPED | WS_CAPTION | WS_BORDER;
  if (properties_.control_box != 0) style |= WS_SYSMENU;
  if (properties_.minimise_box != 0) style |= WS_MINIMIZEBOX;
  if (properties_.maximise_box != 0) style |= WS_MAXIMIZEBOX;
  DWORD ex_style = properties_.topmost != 0 ? WS_EX_TOPMOST : 0;
  // A shown window that no window of the program owns gets a taskbar button and an Alt+Tab entry, which
  // its owner, the hidden one, would otherwise keep it from. Windows owned by another (the tips) and the
  // windows that never show (the barcode host) stay off the taskbar.
  if (owner == runtime().hidden_owner() && visible_flag()) ex_style |= WS_EX_APPWINDOW;

  const UnitRecord& r = record();
  POINT origin{r.left, r.top};
  if (properties_.start_position == kStartCentred) {
    origin = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), r.width, r.height);
  }
  const HWND created = CreateWindowExW(ex_style, kWindowClass, WideFromGbk(properties_.caption).c_str(),
                                       style, origin.x, origin.y, r.width, r.height, owner, nullptr,
                                       GetModuleHandleW(nullptr), static_cast<Unit*>(this));
  if (created != nullptr && !properties_.close_allowed) {
    EnableMenuItem(GetSystemMenu(created, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  }
  return created != nullptr;
}

int WindowUnit::ShowCommand() const {
  if (properties_.start_position == kStartMinimised) return SW_SHOWMINIMIZED;
  // Maximising needs a frame that can be resized; a borderless window stays as it is.
  if (properties_.start_position == kStartMaximised && properties_.border_style != 0) return SW_SHOWMAXIMIZED;
  return SW_SHOW;
}

COLORREF WindowUnit::Background() const {
  return properties_.background_color == kNoColor ? GetSysColor(COLOR_BTNFACE)
                                                  : static_cast<COLORREF>(properties_.background_color);
}

void WindowUnit::PaintContent(HDC dc, const RECT& update) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const std::uint32_t mode = properties_.background_picture_mode;
  const auto placement = static_cast<PicturePlacement>(mode <= 3 ? mode : 0);
  PaintPictureInArea(dc, background_picture_.Decoded(), client, update, placement, Background());
}

void WindowUnit::EnableOwnerAgain() {
  // Before the window goes, so that the system activates the owner rather than some other window.
  if (HWND owner = std::exchange(window().disabled_owner, nullptr)) EnableWindow(owner, TRUE);
}

bool WindowUnit::RestoreFocus() {
  const HWND focus = std::exchange(focus_when_left_, nullptr);
  if (focus == nullptr || !IsChild(hwnd(), focus) || !IsWindowVisible(focus) || !IsWindowEnabled(focus)) {
    return false;
  }
  SetFocus(focus);
  return true;
}

LRESULT WindowUnit::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == runtime().destroy_message()) {
    if (window().marked_for_destroy) {
      EnableOwnerAgain();
      DestroyWindow(hwnd());
    }
    return 0;
  }
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(hwnd(), &client);
      PaintContent(reinterpret_cast<HDC>(wparam), client);
      return 1;
    }
    case WM_ACTIVATE:
      // As a dialog box does: the unit that had the focus when another window (a tips window, another
      // program) was activated has it again when this one comes back, so that the keyboard is not
      // left on the bare window, where no key reaches a unit.
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd(), focus)) focus_when_left_ = focus;
      } else if (HIWORD(wparam) == 0 && RestoreFocus()) {
        return 0;
      }
      return Default(message, wparam, lparam);
    case WM_SYSCOMMAND:
      // Alt+F4 sends the Close command as well, greyed item or not: a window that may not close ignores it.
      if ((wparam & 0xFFF0) == SC_CLOSE && !properties_.close_allowed) return 0;
      return Default(message, wparam, lparam);
    case WM_DESTROY: {
      EnableOwnerAgain();
      const LRESULT result = Default(message, wparam, lparam);
      runtime().Raise(*this, event::kDestroyed);
      return result;
    }
    default: return Default(message, wparam, lparam);
  }
}

std::optional<AccessibleFacts> WindowUnit::Accessible() const {
  AccessibleFacts facts;  // named by its caption
  facts.focusable = true;
  return facts;
}

std::optional<PropertyValue> WindowUnit::GetProperty(Property property) const {
  if (property == Property::kText) return WindowTextAsGbk();
  return Unit::GetProperty(property);
}

bool WindowUnit::SetProperty(Property property, const PropertyValue& value) {
  if (property == Property::kText) return SetWindowTextFromGbk(value);
  return Unit::SetProperty(property, value);
}

}  // namespace sw

#include "ui/runtime/unit_win.h"

#include "base/text_codepage_win.h"
#include "ui/runtime/unit_events.h"
#include "ui/runtime/unit_events_win.h"
#include "ui/runtime/window_runtime_win.h"
#include "ui/units/combo_box_unit_win.h"
#include "ui/units/draw_panel_unit_win.h"
#include "ui/units/edit_box_unit_win.h"
#include "ui/units/pic_box_unit_win.h"
#include "ui/units/pic_btn_unit_win.h"
#include "ui/units/trans_label_unit_win.h"
#include "ui/units/window_unit_win.h"

namespace sw {

RECT RecordRect(const UnitRecord& record) {
  return {record.left, record.top, record.left + record.width, record.top + record.height};
}

WindowRuntime& Unit::runtime() const { return window_.runtime; }

LRESULT Unit::Default(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT Unit::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return Default(message, wparam, lparam);
}

void Unit::PaintContent(HDC, const RECT&) {}

COLORREF Unit::Background() const {
  const Unit* container = Container();
  return container != nullptr ? container->Background() : GetSysColor(COLOR_BTNFACE);
}

HBRUSH Unit::ControlColors(HDC) { return nullptr; }

void Unit::PressKeepingFocus() {
  const HWND self = hwnd_;
  const bool had_focus = GetFocus() == self;
  WindowRuntime& runtime = this->runtime();
  if (!runtime.Press(id())) return;
  // The handler may have destroyed this unit: only the handle and the runtime are used from here.
  if (!had_focus || !IsWindow(self) || !IsWindowVisible(self) || !IsWindowEnabled(self)) return;
  const HWND focus = GetFocus();
  const Unit* now = runtime.UnitForHandle(focus);
  if (now != nullptr && !now->tab_stop() && GetAncestor(focus, GA_ROOT) == GetAncestor(self, GA_ROOT)) {
    SetFocus(self);
  }
}

Unit* Unit::Container() const {
  if (type() == UnitType::kWindow) return nullptr;
  if (record_.parent == 0) return &window_.own();
  return window_.Find(record_.parent);
}

DWORD Unit::ChildStyle() const {
  return WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible_flag() ? WS_VISIBLE : 0);
}

bool Unit::CreateSystemWindow(DWORD ex_style, const wchar_t* class_name, const std::wstring& text,
                              DWORD style, HWND parent) {
  const RECT rect = RecordRect(record_);
  const HWND created =
      CreateWindowExW(ex_style, class_name, text.c_str(), style, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, parent, nullptr, GetModuleHandleW(nullptr), this);
  if (created != nullptr && hwnd_ == nullptr) hwnd_ = created;  // system classes do not see `this`
  return created != nullptr;
}

void Unit::Invalidate() {
  if (hwnd_ == nullptr) return;
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  // Labels above this unit show it through themselves: they must follow.
  RECT mine{};
  GetWindowRect(hwnd_, &mine);
  for (HWND above = GetWindow(hwnd_, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV)) {
    Unit* unit = window_.FindByHandle(above);
    RECT theirs{};
    RECT overlap{};
    if (unit != nullptr && unit->type() == UnitType::kTransLabel && GetWindowRect(above, &theirs) &&
        IntersectRect(&overlap, &mine, &theirs)) {
      RedrawWindow(above, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    }
  }
}

std::optional<PropertyValue> Unit::WindowTextAsGbk() const {
  if (hwnd_ == nullptr) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
  return PropertyValue{GbkFromWide(text)};
}

bool Unit::SetWindowTextFromGbk(const PropertyValue& value) {
  const auto* text = std::get_if<std::string>(&value);
  return text != nullptr && hwnd_ != nullptr && SetWindowTextW(hwnd_, WideFromGbk(*text).c_str()) != FALSE;
}

std::optional<PropertyValue> Unit::GetProperty(Property property) const {
  if (hwnd_ == nullptr) return std::nullopt;
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  const HWND parent = GetParent(hwnd_);
  if (type() != UnitType::kWindow && parent != nullptr) {
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  }
  switch (property) {
    case Property::kLeft: return PropertyValue{static_cast<std::int32_t>(rect.left)};
    case Property::kTop: return PropertyValue{static_cast<std::int32_t>(rect.top)};
    case Property::kWidth: return PropertyValue{static_cast<std::int32_t>(rect.right - rect.left)};
    case Property::kHeight: return PropertyValue{static_cast<std::int32_t>(rect.bottom - rect.top)};
    default: return std::nullopt;
  }
}

bool Unit::SetProperty(Property property, const PropertyValue& value) {
  const std::int32_t* number = std::get_if<std::int32_t>(&value);
  if (hwnd_ == nullptr || number == nullptr) return false;
  auto current = [this](Property p) { return std::get<std::int32_t>(*GetProperty(p)); };
  std::int32_t left = current(Property::kLeft);
  std::int32_t top = current(Property::kTop);
  std::int32_t width = current(Property::kWidth);
  std::int32_t height = current(Property::kHeight);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  switch (property) {
    case Property::kLeft:
      left = *number;
      flags |= SWP_NOSIZE;
      break;
    case Property::kTop:
      top = *number;
      flags |= SWP_NOSIZE;
      break;
    case Property::kWidth:
      width = *number;
      flags |= SWP_NOMOVE;
      break;
    case Property::kHeight:
      height = *number;
      flags |= SWP_NOMOVE;
      break;
    default: return false;
  }
  if (width < 0 || height < 0) return false;
  return SetWindowPos(hwnd_, nullptr, left, top, width, height, flags) != FALSE;
}

Unit* WindowInstance::Find(std::uint32_t unit_id) const {
  for (const auto& unit : units) {
    if (unit->id() == unit_id) return unit.get();
  }
  return nullptr;
}

Unit* WindowInstance::FindByHandle(HWND hwnd) const {
  if (hwnd == nullptr) return nullptr;
  for (const auto& unit : units) {
    if (unit->hwnd() == hwnd) return unit.get();
  }
  return nullptr;
}

std::unique_ptr<Unit> MakeUnit(WindowInstance& window, const UnitRecord& record) {
  switch (TypeOf(record)) {
    case UnitType::kWindow: return std::make_unique<WindowUnit>(window, record);
    case UnitType::kEditBox: return std::make_unique<EditBoxUnit>(window, record);
    case UnitType::kPicBox: return std::make_unique<PicBoxUnit>(window, record);
    case UnitType::kDrawPanel: return std::make_unique<DrawPanelUnit>(window, record);
    case UnitType::kPicBtn: return std::make_unique<PicBtnUnit>(window, record);
    case UnitType::kTransLabel: return std::make_unique<TransLabelUnit>(window, record);
    case UnitType::kComboBox: return std::make_unique<ComboBoxUnit>(window, record);
  }
  return nullptr;
}

namespace {

// Colours and change notices of system controls come to their parent; they belong to the child unit.
std::optional<LRESULT> ChildNotification(WindowRuntime& runtime, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      Unit* child = runtime.UnitForHandle(reinterpret_cast<HWND>(lparam));
      HBRUSH brush = child != nullptr ? child->ControlColors(reinterpret_cast<HDC>(wparam)) : nullptr;
      if (brush != nullptr) return reinterpret_cast<LRESULT>(brush);
      return std::nullopt;
    }
    case WM_COMMAND:
      if (HIWORD(wparam) == EN_CHANGE || HIWORD(wparam) == CBN_SELCHANGE) {
        if (Unit* child = runtime.UnitForHandle(reinterpret_cast<HWND>(lparam))) {
          runtime.Raise(*child, event::kChanged);
        }
      }
      return std::nullopt;
    default: return std::nullopt;
  }
}

// DefWindowProc passes a wheel message that a child does not use on to its parent: the same turn of the
// wheel, already raised for the unit it was addressed to. Marks the unit window while it handles one.
class WheelPassOn {
 public:
  WheelPassOn(WindowRuntime& runtime, UINT message, HWND hwnd)
      : runtime_(runtime), active_(message == WM_MOUSEWHEEL), previous_(runtime.wheel_passed_on_by()) {
    if (active_) runtime_.set_wheel_passed_on_by(hwnd);
  }
  ~WheelPassOn() {
    if (active_) runtime_.set_wheel_passed_on_by(previous_);
  }
  WheelPassOn(const WheelPassOn&) = delete;
  WheelPassOn& operator=(const WheelPassOn&) = delete;

  // True for the wheel message that a child of `hwnd` is passing on.
  static bool PassedOnTo(const WindowRuntime& runtime, UINT message, HWND hwnd) {
    const HWND child = runtime.wheel_passed_on_by();
    return message == WM_MOUSEWHEEL && child != nullptr && GetAncestor(child, GA_PARENT) == hwnd;
  }

 private:
  WindowRuntime& runtime_;
  bool active_;
  HWND previous_;
};

}  // namespace

LRESULT RunUnitMessage(Unit& unit, UINT message, WPARAM wparam, LPARAM lparam) {
  const HWND hwnd = unit.hwnd();
  WindowRuntime& runtime = unit.runtime();
  MessageScope scope(runtime);
  try {
    // The events come first, before the unit sees the message.
    std::optional<RaisedEvent> raised;
    if (!WheelPassOn::PassedOnTo(runtime, message, hwnd)) raised = CommonEventFor(message, wparam, lparam);
    if (raised) {
      const std::optional<std::int32_t> result = runtime.Raise(unit, raised->event, raised->args);
      if (message == WM_CHAR && result) {
        if (*result == 0) return 0;  // dropped
        wparam = static_cast<WPARAM>(*result);
      }
      // A handler may have destroyed the unit's window on the way.
      if (unit.hwnd() == nullptr) return 0;
    }
    if (const auto handled = ChildNotification(runtime, message, wparam, lparam)) return *handled;
    if (message == WM_GETOBJECT) {
      if (const std::optional<AccessibleFacts> facts = unit.Accessible()) {
        if (const auto answer = AnswerAccessibleObject(hwnd, *facts, wparam, lparam)) return *answer;
      }
    }
    if (message == UnitPressMessage() && message != 0) {
      unit.PressKeepingFocus();
      return 0;
    }
    if (message == WM_SETFOCUS && unit.tab_stop()) unit.window().last_tab_stop = unit.id();
    LRESULT result = 0;
    {
      WheelPassOn passing(runtime, message, hwnd);
      result = unit.HandleMessage(message, wparam, lparam);
    }
    if (message == WM_NCDESTROY) {
      unit.Detach();
      if (unit.type() == UnitType::kWindow) runtime.WindowGone(unit.window());
    }
    return result;
  } catch (...) {
    // No exception crosses a window procedure: the message gets the system's default treatment.
    return IsWindow(hwnd) ? DefWindowProcW(hwnd, message, wparam, lparam) : 0;
  }
}

LRESULT CALLBACK UnitWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* unit = static_cast<Unit*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(unit));
    if (unit != nullptr) unit->Attach(hwnd);
  }
  auto* unit = reinterpret_cast<Unit*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (unit == nullptr || unit->hwnd() != hwnd) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return RunUnitMessage(*unit, message, wparam, lparam);
}

}  // namespace sw

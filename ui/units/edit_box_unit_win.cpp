#include "ui/units/edit_box_unit_win.h"

#include <commctrl.h>

#include <algorithm>

#include "base/text_codepage_win.h"
#include "ui/runtime/unit_events.h"
#include "ui/runtime/unit_events_win.h"
#include "ui/runtime/unit_font_win.h"
#include "ui/runtime/window_runtime_win.h"
#include "ui/units/subclassing_win.h"

namespace sw {
namespace {

constexpr UINT_PTR kSubclassId = 0x5957;  // any value; one subclass per edit box
constexpr WPARAM kCtrlA = 0x01;           // the character Ctrl+A types

LRESULT CALLBACK EditSubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                  DWORD_PTR data) {
  auto* unit = reinterpret_cast<EditBoxUnit*>(data);
  if (message == WM_NCDESTROY) Subclassing().remove(hwnd, EditSubclassProc, id);
  if (unit == nullptr || unit->hwnd() != hwnd) return Subclassing().next(hwnd, message, wparam, lparam);
  return RunUnitMessage(*unit, message, wparam, lparam);
}

DWORD AlignStyle(TextAlign align) {
  if (align == TextAlign::kCentre) return ES_CENTER;
  if (align == TextAlign::kEnd) return ES_RIGHT;
  return ES_LEFT;
}

DWORD BorderExStyle(std::uint32_t border_style) {
  if (border_style == 1) return WS_EX_CLIENTEDGE;
  if (border_style == 2) return WS_EX_STATICEDGE;
  return 0;
}

}  // namespace

EditBoxUnit::EditBoxUnit(WindowInstance& window, const UnitRecord& record)
    : Unit(window, record), properties_(std::get<EditBoxProperties>(record.properties)) {}

EditBoxUnit::~EditBoxUnit() {
  // The control may still exist when the runtime goes first; it must not keep a dangling unit pointer.
  if (hwnd() != nullptr) Subclassing().remove(hwnd(), EditSubclassProc, kSubclassId);  // made only with it
}

bool EditBoxUnit::Create(HWND parent) {
  DWORD style = ChildStyle() | ES_AUTOHSCROLL | AlignStyle(properties_.horizontal_align);
  if (properties_.border_style == 3) style |= WS_BORDER;
  // Without its subclass the box would show, but neither its keys nor its events would reach the unit.
  if (!Subclassing().complete()) return false;
  if ((record().flags & kUnitTabStop) != 0) style |= WS_TABSTOP;
  if (!CreateSystemWindow(BorderExStyle(properties_.border_style), L"EDIT", WideFromGbk(properties_.text),
                          style, parent)) {
    return false;
  }
  Subclassing().set(hwnd(), EditSubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  font_ = MakeFont(properties_.font);
  if (font_) SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  if (properties_.max_length != 0) SendMessageW(hwnd(), EM_SETLIMITTEXT, properties_.max_length, 0);
  brush_.reset(CreateSolidBrush(Background()));

  if (properties_.border_style == 0) {
    // A single-line edit draws its text at the top of its client area: pad it so the line sits centred.
    const ScopedWindowDc dc = GetClientDc(hwnd());
    const ScopedSelect select =
        SelectInto(dc.get().dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get().dc, &metrics);
    const int spare = std::max(0, static_cast<int>(record().height - metrics.tmHeight));
    pad_top_ = spare / 2;
    pad_bottom_ = spare - pad_top_;
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

LRESULT EditBoxUnit::Default(UINT message, WPARAM wparam, LPARAM lparam) {
  return Subclassing().next(hwnd(), message, wparam, lparam);
}

void EditBoxUnit::PaintPadding() {
  const ScopedWindowDc frame = GetFrameDc(hwnd());
  if (!frame) return;
  const HDC dc = frame.get().dc;
  RECT window{};
  GetWindowRect(hwnd(), &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  const RECT top{0, 0, width, pad_top_};
  const RECT bottom{0, height - pad_bottom_, width, height};
  FillRect(dc, &top, brush_.get());
  FillRect(dc, &bottom, brush_.get());
}

LRESULT EditBoxUnit::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCALCSIZE: {
      const LRESULT result = Default(message, wparam, lparam);
      auto* client = reinterpret_cast<RECT*>(lparam);  // rgrc[0] and the plain RECT share the first place
      client->top += pad_top_;
      client->bottom = std::max(client->top, client->bottom - pad_bottom_);
      return result;
    }
    case WM_NCPAINT: {
      const LRESULT result = Default(message, wparam, lparam);
      if (pad_top_ > 0 || pad_bottom_ > 0) PaintPadding();
      return result;
    }
    // The classic edit control has no select-all; every user expects Ctrl+A to select the whole text.
    case WM_KEYDOWN:
      if (wparam == 'A' && ShiftState() == event::kCtrlDown) {
        SendMessageW(hwnd(), EM_SETSEL, 0, -1);
        return 0;
      }
      return Default(message, wparam, lparam);
    case WM_CHAR:
      if (wparam == kCtrlA) return 0;  // no beep, and no control character in the text
      return Default(message, wparam, lparam);
    default: return Default(message, wparam, lparam);
  }
}

COLORREF EditBoxUnit::Background() const {
  if (properties_.background_color != kNoColor) return static_cast<COLORREF>(properties_.background_color);
  return Unit::Background();
}

HBRUSH EditBoxUnit::ControlColors(HDC dc) {
  SetTextColor(dc, static_cast<COLORREF>(properties_.text_color & 0x00FFFFFF));
  SetBkColor(dc, Background());
  return brush_.get();
}

std::optional<AccessibleFacts> EditBoxUnit::Accessible() const {
  // Named by its label, never by what is typed. A box that asks for nothing and that Tab never reaches is
  // where handlers park the focus: readers skip it.
  AccessibleFacts facts;
  facts.name = WideFromGbk(properties_.label);
  facts.focusable = tab_stop();
  facts.hidden = !tab_stop() && properties_.label.empty();
  return facts;
}

std::optional<PropertyValue> EditBoxUnit::GetProperty(Property property) const {
  if (property == Property::kText) return WindowTextAsGbk();
  return Unit::GetProperty(property);
}

bool EditBoxUnit::SetProperty(Property property, const PropertyValue& value) {
  if (property == Property::kText) return SetWindowTextFromGbk(value);
  return Unit::SetProperty(property, value);
}

}  // namespace sw

#include "ui/units/combo_box_unit_win.h"

#include <commctrl.h>

#include <string_view>

#include "base/text_codepage_win.h"
#include "ui/runtime/unit_font_win.h"
#include "ui/units/subclassing_win.h"

namespace sw {
namespace {

constexpr UINT_PTR kSubclassId = 0x5958;  // any value; one subclass per list
constexpr int kShownEntries = 8;          // the dropped list's height, in entries

LRESULT CALLBACK ComboSubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                   DWORD_PTR data) {
  auto* unit = reinterpret_cast<ComboBoxUnit*>(data);
  if (message == WM_NCDESTROY) Subclassing().remove(hwnd, ComboSubclassProc, id);
  if (unit == nullptr || unit->hwnd() != hwnd) return Subclassing().next(hwnd, message, wparam, lparam);
  return RunUnitMessage(*unit, message, wparam, lparam);
}

}  // namespace

ComboBoxUnit::ComboBoxUnit(WindowInstance& window, const UnitRecord& record)
    : Unit(window, record), properties_(std::get<ComboBoxProperties>(record.properties)) {}

ComboBoxUnit::~ComboBoxUnit() {
  if (hwnd() != nullptr && Subclassing().complete())
    Subclassing().remove(hwnd(), ComboSubclassProc, kSubclassId);
}

bool ComboBoxUnit::Create(HWND parent) {
  DWORD style = ChildStyle() | CBS_DROPDOWNLIST | WS_VSCROLL;
  if (tab_stop()) style |= WS_TABSTOP;
  // The window's height is the closed box's and the dropped list's together.
  if (!Subclassing().complete() || !CreateSystemWindow(0, L"COMBOBOX", L"", style, parent)) return false;
  const RECT rect = RecordRect(record());
  SetWindowPos(hwnd(), nullptr, 0, 0, rect.right - rect.left, (rect.bottom - rect.top) * (kShownEntries + 1),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Subclassing().set(hwnd(), ComboSubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  font_ = MakeFont(properties_.font);
  if (font_) SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  std::string_view items = properties_.items;
  while (!items.empty()) {
    const std::size_t end = items.find('\n');
    const std::wstring entry = WideFromGbk(items.substr(0, end));
    SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    items.remove_prefix(end == std::string_view::npos ? items.size() : end + 1);
  }
  SendMessageW(hwnd(), CB_SETCURSEL, 0, 0);
  return true;
}

LRESULT ComboBoxUnit::Default(UINT message, WPARAM wparam, LPARAM lparam) {
  return Subclassing().next(hwnd(), message, wparam, lparam);
}

std::optional<AccessibleFacts> ComboBoxUnit::Accessible() const {
  AccessibleFacts facts;  // named by its label; its value is the chosen entry
  facts.role = ROLE_SYSTEM_COMBOBOX;
  facts.name = WideFromGbk(properties_.label);
  facts.focusable = tab_stop();
  facts.chosen_entry_value = true;
  return facts;
}

}  // namespace sw

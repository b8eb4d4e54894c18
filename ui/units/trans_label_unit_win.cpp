#include "ui/units/trans_label_unit_win.h"

#include <algorithm>
#include <vector>

#include "base/text_codepage_win.h"
#include "ui/runtime/unit_font_win.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw {
namespace {

UINT DrawFlags(const TransLabelProperties& p) {
  UINT flags = DT_NOPREFIX;
  if (p.horizontal_align == TextAlign::kCentre) flags |= DT_CENTER;
  if (p.horizontal_align == TextAlign::kEnd) flags |= DT_RIGHT;
  if (p.word_wrap != 0) return flags | DT_WORDBREAK | DT_EDITCONTROL;
  flags |= DT_SINGLELINE;
  if (p.vertical_align == TextAlign::kCentre) flags |= DT_VCENTER;
  if (p.vertical_align == TextAlign::kEnd) flags |= DT_BOTTOM;
  return flags;
}

// `from`'s client origin in `to`'s client coordinates.
POINT OffsetBetween(HWND from, HWND to) {
  POINT origin{0, 0};
  MapWindowPoints(from, to, &origin, 1);
  return origin;
}

}  // namespace

TransLabelUnit::TransLabelUnit(WindowInstance& window, const UnitRecord& record)
    : Unit(window, record),
      properties_(std::get<TransLabelProperties>(record.properties)),
      text_(properties_.text) {}

bool TransLabelUnit::Create(HWND parent) {
  font_ = MakeFont(properties_.font);
  return CreateSystemWindow(0, kTransLabelClass, WideFromGbk(text_), ChildStyle(), parent);
}

void TransLabelUnit::PaintBeneath(HDC dc) {
  Unit* container = Container();
  if (container == nullptr || container->hwnd() == nullptr) return;
  RECT mine{};
  GetWindowRect(hwnd(), &mine);
  // Each unit paints in its own coordinates: the origin moves by its offset from this label, relative to
  // the origin the caller gave (a label beneath another label paints through this same function).
  auto paint_unit = [&](Unit& unit) {
    RECT theirs{};
    RECT overlap{};
    GetWindowRect(unit.hwnd(), &theirs);
    if (!IntersectRect(&overlap, &mine, &theirs)) return;
    const POINT at = OffsetBetween(unit.hwnd(), hwnd());
    const ScopedSaveDc saved = SaveDcState(dc);
    OffsetViewportOrgEx(dc, at.x, at.y, nullptr);
    RECT update = overlap;  // screen coordinates to the unit's client coordinates
    MapWindowPoints(nullptr, unit.hwnd(), reinterpret_cast<POINT*>(&update), 2);
    IntersectClipRect(dc, update.left, update.top, update.right, update.bottom);
    unit.PaintContent(dc, update);
  };
  paint_unit(*container);
  // Siblings below this label, bottom first.
  std::vector<Unit*> below;
  for (HWND next = GetWindow(hwnd(), GW_HWNDNEXT); next != nullptr; next = GetWindow(next, GW_HWNDNEXT)) {
    Unit* unit = window().FindByHandle(next);
    if (unit != nullptr && IsWindowVisible(next)) below.push_back(unit);
  }
  for (auto it = below.rbegin(); it != below.rend(); ++it) paint_unit(**it);
}

void TransLabelUnit::PaintContent(HDC dc, const RECT&) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (properties_.background_color != kNoColor) {
    ScopedBrush brush(CreateSolidBrush(static_cast<COLORREF>(properties_.background_color)));
    FillRect(dc, &client, brush.get());
  } else {
    PaintBeneath(dc);
  }
  const ScopedSaveDc saved = SaveDcState(dc);
  SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(properties_.text_color & 0x00FFFFFF));
  std::wstring text = WideFromGbk(text_);
  RECT box = client;
  const UINT flags = DrawFlags(properties_);
  if (properties_.word_wrap != 0 && properties_.vertical_align != TextAlign::kStart) {
    // Wrapped text is placed by its measured height.
    RECT measured = client;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, flags | DT_CALCRECT);
    const int spare = (client.bottom - client.top) - (measured.bottom - measured.top);
    box.top += properties_.vertical_align == TextAlign::kCentre ? spare / 2 : spare;
  }
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, flags);
}

LRESULT TransLabelUnit::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      // Composed off screen, then copied once: no flicker of the parts beneath.
      const ScopedPaint paint = BeginPainting(hwnd());
      const HDC screen = paint.get().info.hdc;
      RECT client{};
      GetClientRect(hwnd(), &client);
      const ScopedMemoryDc memory = CreateMemoryDc(screen);
      ScopedBitmap canvas(
          CreateCompatibleBitmap(screen, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
      if (memory.get() == nullptr || !canvas) return 0;
      {
        const ScopedSelect select = SelectInto(memory.get(), canvas.get());
        PaintContent(memory.get(), client);
        BitBlt(screen, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
      }
      return 0;
    }
    default: return Default(message, wparam, lparam);
  }
}

std::optional<AccessibleFacts> TransLabelUnit::Accessible() const {
  AccessibleFacts facts;  // named by its window text, which it shows
  facts.role = ROLE_SYSTEM_STATICTEXT;
  return facts;
}

std::optional<PropertyValue> TransLabelUnit::GetProperty(Property property) const {
  if (property == Property::kText) return PropertyValue{text_};
  return Unit::GetProperty(property);
}

bool TransLabelUnit::SetProperty(Property property, const PropertyValue& value) {
  if (property == Property::kText) {
    const auto* text = std::get_if<std::string>(&value);
    if (text == nullptr) return false;
    text_ = *text;
    if (hwnd() != nullptr) {
      SetWindowTextW(hwnd(), WideFromGbk(text_).c_str());  // for accessibility tools and tests
      Invalidate();
    }
    return true;
  }
  return Unit::SetProperty(property, value);
}

}  // namespace sw

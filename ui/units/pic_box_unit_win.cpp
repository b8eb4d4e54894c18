#include "ui/units/pic_box_unit_win.h"

#include "base/handles_win.h"
#include "ui/picture/picture_paint_win.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw {

DWORD PicBoxBorderExStyle(std::uint32_t border_style) {
  switch (border_style) {
    case 1: return WS_EX_CLIENTEDGE;
    case 2: return WS_EX_DLGMODALFRAME;
    case 3: return WS_EX_STATICEDGE;
    case 4: return WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;
    default: return 0;
  }
}

DWORD PicBoxBorderStyle(std::uint32_t border_style) { return border_style == 5 ? WS_BORDER : 0; }

PicBoxUnit::PicBoxUnit(WindowInstance& window, const UnitRecord& record)
    : Unit(window, record),
      properties_(std::get<PicBoxProperties>(record.properties)),
      picture_(properties_.image) {}

bool PicBoxUnit::Create(HWND parent) {
  return CreateSystemWindow(PicBoxBorderExStyle(properties_.border_style), kPicBoxClass, L"",
                            ChildStyle() | PicBoxBorderStyle(properties_.border_style), parent);
}

COLORREF PicBoxUnit::Background() const {
  if (properties_.background_color != kNoColor) return static_cast<COLORREF>(properties_.background_color);
  return Unit::Background();
}

void PicBoxUnit::PaintContent(HDC dc, const RECT& update) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const auto placement =
      static_cast<PicturePlacement>(properties_.display_mode <= 3 ? properties_.display_mode : 0);
  PaintPictureInArea(dc, picture_.Decoded(), client, update, placement, Background());
}

LRESULT PicBoxUnit::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // the paint covers everything
    case WM_PAINT: {
      const ScopedPaint paint = BeginPainting(hwnd());
      PaintContent(paint.get().info.hdc, paint.get().info.rcPaint);
      return 0;
    }
    default: return Default(message, wparam, lparam);
  }
}

std::optional<AccessibleFacts> PicBoxUnit::Accessible() const {
  // Unnamed pictures are decoration; a handler names a picture that shows something (its window text).
  AccessibleFacts facts;
  facts.role = ROLE_SYSTEM_GRAPHIC;
  return facts;
}

std::optional<PropertyValue> PicBoxUnit::GetProperty(Property property) const {
  if (property == Property::kPicture) return PropertyValue{picture_.bytes()};
  if (property == Property::kText) return WindowTextAsGbk();
  return Unit::GetProperty(property);
}

bool PicBoxUnit::SetProperty(Property property, const PropertyValue& value) {
  if (property == Property::kText) return SetWindowTextFromGbk(value);  // never drawn: for screen readers
  if (property == Property::kPicture) {
    const auto* bytes = std::get_if<Bytes>(&value);
    if (bytes == nullptr) return false;
    picture_.Set(*bytes);
    Invalidate();
    return true;
  }
  return Unit::SetProperty(property, value);
}

}  // namespace sw

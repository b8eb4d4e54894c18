// PicBox: a picture placed by its display mode over its background colour; also a container of units.
#pragma once

#include "ui/picture/cached_picture_win.h"
#include "ui/runtime/unit_win.h"

namespace sw {

class PicBoxUnit : public Unit {
 public:
  PicBoxUnit(WindowInstance& window, const UnitRecord& record);

  bool Create(HWND parent) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void PaintContent(HDC dc, const RECT& update) override;
  std::optional<AccessibleFacts> Accessible() const override;
  COLORREF Background() const override;
  std::optional<PropertyValue> GetProperty(Property property) const override;
  bool SetProperty(Property property, const PropertyValue& value) override;

 private:
  const PicBoxProperties& properties_;
  CachedPicture picture_;
};

// Extended window styles of the picture box border styles 0 to 5.
DWORD PicBoxBorderExStyle(std::uint32_t border_style);
DWORD PicBoxBorderStyle(std::uint32_t border_style);

}  // namespace sw

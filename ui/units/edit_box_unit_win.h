// EditBox: a system edit control (wide), subclassed so that its messages raise unit events. Without a
// border, its text is centred vertically by a padded non-client area in the background colour.
#pragma once

#include "base/handles_win.h"
#include "ui/runtime/unit_win.h"

namespace sw {

class EditBoxUnit : public Unit {
 public:
  EditBoxUnit(WindowInstance& window, const UnitRecord& record);
  ~EditBoxUnit() override;

  bool Create(HWND parent) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  COLORREF Background() const override;
  HBRUSH ControlColors(HDC dc) override;
  std::optional<AccessibleFacts> Accessible() const override;
  std::optional<PropertyValue> GetProperty(Property property) const override;
  bool SetProperty(Property property, const PropertyValue& value) override;
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void PaintPadding();

  const EditBoxProperties& properties_;
  ScopedFont font_;
  ScopedBrush brush_;
  int pad_top_ = 0;
  int pad_bottom_ = 0;
};

}  // namespace sw

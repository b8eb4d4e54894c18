// TransLabel: text drawn over whatever lies beneath the label (its container and the units under it).
#pragma once

#include "base/handles_win.h"
#include "ui/runtime/unit_win.h"

namespace sw {

class TransLabelUnit : public Unit {
 public:
  TransLabelUnit(WindowInstance& window, const UnitRecord& record);

  bool Create(HWND parent) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void PaintContent(HDC dc, const RECT& update) override;
  std::optional<AccessibleFacts> Accessible() const override;
  std::optional<PropertyValue> GetProperty(Property property) const override;
  bool SetProperty(Property property, const PropertyValue& value) override;

 private:
  // Paints the container and the units below this label into `dc`, in the label's coordinates.
  void PaintBeneath(HDC dc);

  const TransLabelProperties& properties_;
  std::string text_;  // GBK
  ScopedFont font_;
};

}  // namespace sw

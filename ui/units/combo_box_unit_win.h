// ComboBox: a drop-down list (a system combo box that takes no typing), subclassed so that its messages
// raise unit events; a new choice raises its changed event.
#pragma once

#include "base/handles_win.h"
#include "ui/runtime/unit_win.h"

namespace sw {

class ComboBoxUnit : public Unit {
 public:
  ComboBoxUnit(WindowInstance& window, const UnitRecord& record);
  ~ComboBoxUnit() override;

  bool Create(HWND parent) override;
  std::optional<AccessibleFacts> Accessible() const override;
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  const ComboBoxProperties& properties_;
  ScopedFont font_;
};

}  // namespace sw

// The window's own unit: a top-level window (owned by the hidden owner or the given owner), borderless
// for border style 0, filled with its background colour, centred for start position 1; a shown one of the
// hidden owner's has a taskbar button.
#pragma once

#include "ui/picture/cached_picture_win.h"
#include "ui/runtime/unit_win.h"

namespace sw {

class WindowUnit : public Unit {
 public:
  WindowUnit(WindowInstance& window, const UnitRecord& record);

  bool Create(HWND owner) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void PaintContent(HDC dc, const RECT& update) override;
  std::optional<AccessibleFacts> Accessible() const override;
  COLORREF Background() const override;
  std::optional<PropertyValue> GetProperty(Property property) const override;
  bool SetProperty(Property property, const PropertyValue& value) override;

  // The show command for this window's start position.
  int ShowCommand() const;
  const WindowProperties& properties() const { return properties_; }

 private:
  void EnableOwnerAgain();
  // Where the keyboard focus was when the window last lost the activation; it goes back there.
  bool RestoreFocus();

  const WindowProperties& properties_;
  HWND focus_when_left_ = nullptr;
  CachedPicture background_picture_;  // placed by the background-picture mode (3: stretched)
};

// Where a window of `width` x `height` goes for start position 1: the screen's centre, integer division.
POINT CentredOrigin(int screen_width, int screen_height, int width, int height);

}  // namespace sw

// PicBtn: a button drawn from four images (normal, mouse over, pressed, disabled), with its window region
// cut to the pixels of the shown image that differ from its cut-out colour. A two-state button is a check
// box: latched shows the pressed image and is its checked state (BM_GETCHECK, BM_SETCHECK).
#pragma once

#include <array>

#include "base/handles_win.h"
#include "ui/picture/cached_picture_win.h"
#include "ui/runtime/unit_win.h"
#include "ui/units/picture_button_states.h"

namespace sw {

class PicBtnUnit : public Unit {
 public:
  PicBtnUnit(WindowInstance& window, const UnitRecord& record);

  bool Create(HWND parent) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void PaintContent(HDC dc, const RECT& update) override;
  std::optional<AccessibleFacts> Accessible() const override;
  void Pressing() override;

  const PictureButtonStates& states() const { return states_; }
  ButtonImage shown() const { return shown_; }

 private:
  void Apply(const ButtonStep& step);
  void ShowCurrentImage();       // region and repaint for the image the state calls for
  ButtonImage ImageNow() const;  // the image the state and the focus call for
  bool Over(LPARAM lparam) const;
  bool Inside(LPARAM lparam) const;
  COLORREF FlattenColor() const;

  const PicBtnProperties& properties_;
  std::array<CachedPicture, 4> images_;
  // Each image's region, made once: the images do not change, and a hover must stay cheap.
  std::array<ScopedRegion, 4> regions_;
  std::array<bool, 4> region_made_{};
  PictureButtonStates states_;
  ButtonImage shown_ = ButtonImage::kNormal;
};

// The region of the pixels of `bitmap` (width x height) whose colour differs from `cutout`; empty when
// the bitmap cannot be read.
ScopedRegion RegionWithout(HDC dc, HBITMAP bitmap, int width, int height, COLORREF cutout);

}  // namespace sw

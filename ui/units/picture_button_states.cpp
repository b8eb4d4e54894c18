#include "ui/units/picture_button_states.h"

namespace sw {

ButtonStep PictureButtonStates::Become(ButtonVisual visual, ButtonStep step) {
  step.repaint = step.repaint || visual != visual_;
  visual_ = visual;
  return step;
}

ButtonStep PictureButtonStates::MouseMove(bool over, bool left_button_held, bool captured) {
  if (two_state_) return {};  // a two-state button follows clicks only
  if (over) {
    const CaptureChange capture = captured ? CaptureChange::kNone : CaptureChange::kTake;
    return Become(left_button_held ? ButtonVisual::kPressed : ButtonVisual::kMouseOver, {capture});
  }
  // Elsewhere: keep the capture while the button is held, so that the release is still seen.
  return Become(ButtonVisual::kNormal, {left_button_held ? CaptureChange::kNone : CaptureChange::kRelease});
}

ButtonStep PictureButtonStates::LeftButtonDown(bool inside) {
  if (two_state_ || !inside) return {};
  return Become(ButtonVisual::kPressed, {CaptureChange::kTake});
}

ButtonStep PictureButtonStates::LeftButtonUp(bool inside) {
  if (two_state_) {
    if (!inside) return {};
    latched_ = !latched_;
    return {CaptureChange::kNone, true, true};
  }
  // Released outside, the button does not stay drawn pressed: back to normal, no click.
  return Become(ButtonVisual::kNormal, {CaptureChange::kRelease, inside});
}

ButtonStep PictureButtonStates::CaptureLost() {
  if (two_state_) return {};
  return Become(ButtonVisual::kNormal, {});
}

ButtonStep PictureButtonStates::Toggle() {
  if (!two_state_) return {};
  latched_ = !latched_;
  return {CaptureChange::kNone, false, true};
}

ButtonImage PictureButtonStates::ImageToShow(bool enabled, const std::array<bool, 4>& has_image) const {
  auto has = [&has_image](ButtonImage slot) { return has_image[static_cast<std::size_t>(slot)]; };
  if (!enabled) return has(ButtonImage::kDisabled) ? ButtonImage::kDisabled : ButtonImage::kNormal;
  ButtonImage wanted = ButtonImage::kNormal;
  if (two_state_) {
    wanted = latched_ ? ButtonImage::kPressed : ButtonImage::kNormal;
  } else if (visual_ == ButtonVisual::kMouseOver) {
    wanted = ButtonImage::kMouseOver;
  } else if (visual_ == ButtonVisual::kPressed) {
    wanted = ButtonImage::kPressed;
  }
  return has(wanted) ? wanted : ButtonImage::kNormal;
}

}  // namespace sw

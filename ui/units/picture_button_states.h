// The picture button's states: which image it shows, when it holds the mouse capture and when it clicks.
// Pure logic; the Windows unit feeds it the mouse messages and carries out the capture changes.
#pragma once

#include <array>

#include "ui/description/window_description.h"

namespace sw {

enum class ButtonVisual { kNormal = 0, kMouseOver = 1, kPressed = 2 };
enum class CaptureChange { kNone, kTake, kRelease };

struct ButtonStep {
  CaptureChange capture = CaptureChange::kNone;
  bool clicked = false;
  bool repaint = false;  // the image to show may have changed
};

class PictureButtonStates {
 public:
  PictureButtonStates(bool two_state, bool latched) : two_state_(two_state), latched_(latched) {}

  // over: the cursor is over the enabled button; inside: the point lies inside the enabled button.
  ButtonStep MouseMove(bool over, bool left_button_held, bool captured);
  ButtonStep LeftButtonDown(bool inside);
  ButtonStep LeftButtonUp(bool inside);
  ButtonStep CaptureLost();
  // A key or a reader presses a two-state button: it changes state as a click inside would.
  ButtonStep Toggle();
  void set_latched(bool latched) { latched_ = latched; }

  ButtonVisual visual() const { return visual_; }
  bool latched() const { return latched_; }
  bool two_state() const { return two_state_; }

  // The slot to paint: the state's image, else the normal one; a latched button shows its pressed image,
  // a disabled one its disabled image when it has one.
  ButtonImage ImageToShow(bool enabled, const std::array<bool, 4>& has_image) const;

 private:
  ButtonStep Become(ButtonVisual visual, ButtonStep step);

  bool two_state_;
  bool latched_;
  ButtonVisual visual_ = ButtonVisual::kNormal;
};

}  // namespace sw

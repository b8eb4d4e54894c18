// The picture button's states, step by step: image shown, capture taken or released, click raised.
#include "ui/units/picture_button_states.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/case_table.h"

namespace sw {
namespace {

enum class Input {
  kMoveOver,
  kMoveOverHeld,
  kMoveAway,
  kMoveAwayHeld,
  kDownInside,
  kDownOutside,
  kUpInside,
  kUpOutside,
  kCaptureLost
};

struct Expect {
  Input input;
  bool captured_before;  // what GetCapture says when the message arrives
  ButtonVisual visual;
  CaptureChange capture;
  bool clicked;
};

ButtonStep Feed(PictureButtonStates& states, const Expect& row) {
  switch (row.input) {
    case Input::kMoveOver: return states.MouseMove(true, false, row.captured_before);
    case Input::kMoveOverHeld: return states.MouseMove(true, true, row.captured_before);
    case Input::kMoveAway: return states.MouseMove(false, false, row.captured_before);
    case Input::kMoveAwayHeld: return states.MouseMove(false, true, row.captured_before);
    case Input::kDownInside: return states.LeftButtonDown(true);
    case Input::kDownOutside: return states.LeftButtonDown(false);
    case Input::kUpInside: return states.LeftButtonUp(true);
    case Input::kUpOutside: return states.LeftButtonUp(false);
    case Input::kCaptureLost: return states.CaptureLost();
  }
  return {};
}

using V = ButtonVisual;
using C = CaptureChange;

TEST(PictureButtonStates, PushButtonSequences) {
  struct Sequence {
    const char* reason;
    std::vector<Expect> steps;
  };
  const std::vector<Sequence> sequences = {
      {"hover, press, release inside: one click",
       {{Input::kMoveOver, false, V::kMouseOver, C::kTake, false},
        {Input::kMoveOver, true, V::kMouseOver, C::kNone, false},
        {Input::kDownInside, true, V::kPressed, C::kTake, false},
        {Input::kUpInside, true, V::kNormal, C::kRelease, true}}},
      {"press, drag away and back, release inside",
       {{Input::kDownInside, false, V::kPressed, C::kTake, false},
        {Input::kMoveAwayHeld, true, V::kNormal, C::kNone, false},
        {Input::kMoveOverHeld, true, V::kPressed, C::kNone, false},
        {Input::kUpInside, true, V::kNormal, C::kRelease, true}}},
      {"press, drag away, release outside: no click",
       {{Input::kDownInside, false, V::kPressed, C::kTake, false},
        {Input::kMoveAwayHeld, true, V::kNormal, C::kNone, false},
        {Input::kUpOutside, true, V::kNormal, C::kRelease, false}}},
      {"released outside without a move first: not left drawn pressed",
       {{Input::kDownInside, false, V::kPressed, C::kTake, false},
        {Input::kUpOutside, true, V::kNormal, C::kRelease, false}}},
      {"hover then leave: capture released",
       {{Input::kMoveOver, false, V::kMouseOver, C::kTake, false},
        {Input::kMoveAway, true, V::kNormal, C::kRelease, false}}},
      {"a press outside the button changes nothing",
       {{Input::kDownOutside, false, V::kNormal, C::kNone, false}}},
      {"capture taken away while hovering",
       {{Input::kMoveOver, false, V::kMouseOver, C::kTake, false},
        {Input::kCaptureLost, false, V::kNormal, C::kNone, false}}},
  };
  testing::ForEachRow(sequences, [](const Sequence& sequence) {
    PictureButtonStates states(false, false);
    for (std::size_t i = 0; i < sequence.steps.size(); ++i) {
      const Expect& row = sequence.steps[i];
      const ButtonStep step = Feed(states, row);
      EXPECT_EQ(states.visual(), row.visual) << "step " << i;
      EXPECT_EQ(step.capture, row.capture) << "step " << i;
      EXPECT_EQ(step.clicked, row.clicked) << "step " << i;
    }
  });
}

TEST(PictureButtonStates, PressedImageSameAsNormalStillShowsMouseOver) {
  // The program's buttons have no separate pressed look; the mouse-over image still shows.
  PictureButtonStates states(false, false);
  const std::array<bool, 4> three{true, true, true, false};
  states.MouseMove(true, false, false);
  EXPECT_EQ(states.ImageToShow(true, three), ButtonImage::kMouseOver);
  states.LeftButtonDown(true);
  EXPECT_EQ(states.ImageToShow(true, three), ButtonImage::kPressed);
}

TEST(PictureButtonStates, TwoStateModeLatchesWithoutCapture) {
  PictureButtonStates states(/*two_state=*/true, /*latched=*/false);
  const std::array<bool, 4> all{true, true, true, true};
  EXPECT_EQ(states.MouseMove(true, false, false).capture, CaptureChange::kNone)
      << "mouse moves change nothing";
  EXPECT_EQ(states.LeftButtonDown(true).capture, CaptureChange::kNone) << "no capture in two-state mode";
  EXPECT_EQ(states.ImageToShow(true, all), ButtonImage::kNormal);
  EXPECT_TRUE(states.LeftButtonUp(true).clicked);
  EXPECT_TRUE(states.latched());
  EXPECT_EQ(states.ImageToShow(true, all), ButtonImage::kPressed)
      << "a latched button shows its pressed image";
  EXPECT_TRUE(states.LeftButtonUp(true).clicked) << "the click is raised in both modes";
  EXPECT_FALSE(states.latched());
  EXPECT_FALSE(states.LeftButtonUp(false).clicked);
  EXPECT_FALSE(states.latched());
}

TEST(PictureButtonStates, ImageFallsBackToNormalAndDisabledUsesItsOwn) {
  PictureButtonStates states(false, false);
  states.MouseMove(true, false, false);
  EXPECT_EQ(states.ImageToShow(true, {true, false, true, false}), ButtonImage::kNormal)
      << "no mouse-over image";
  EXPECT_EQ(states.ImageToShow(false, {true, true, true, true}), ButtonImage::kDisabled);
  EXPECT_EQ(states.ImageToShow(false, {true, true, true, false}), ButtonImage::kNormal);
}

}  // namespace
}  // namespace sw

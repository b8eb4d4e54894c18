// Event numbers. 0 and above belong to a unit type; the negative ones are common to all units.
#pragma once

#include <cstdint>

namespace sw::event {

// window
inline constexpr std::int32_t kCreated = 0;    // the window and its units exist; raised before it is shown
inline constexpr std::int32_t kDestroyed = 2;  // WM_DESTROY, after the default processing
// PicBtn
inline constexpr std::int32_t kClicked = 0;  // left button released over the enabled button
// EditBox
inline constexpr std::int32_t kChanged = 0;  // the content changed (a ComboBox: the choice)

// Common to all units.                     arguments
inline constexpr std::int32_t kLeftButtonDown = -1;   // x, y, shift state
inline constexpr std::int32_t kLeftButtonUp = -2;     // x, y, shift state
inline constexpr std::int32_t kLeftDoubleClick = -3;  // x, y, shift state
inline constexpr std::int32_t kRightButtonDown = -4;  // x, y, shift state
inline constexpr std::int32_t kRightButtonUp = -5;    // x, y, shift state
inline constexpr std::int32_t kMouseMove = -6;        // x, y, shift state
inline constexpr std::int32_t kFocusGained = -7;      // none
inline constexpr std::int32_t kFocusLost = -8;        // none
inline constexpr std::int32_t kKeyDown = -9;          // key code, shift state
inline constexpr std::int32_t kKeyUp = -10;           // key code, shift state
inline constexpr std::int32_t kCharacter = -11;   // UTF-16 code unit (the windows are wide); the handler's
                                                  // result replaces it, 0 drops it
inline constexpr std::int32_t kMouseWheel = -12;  // notches (wheel distance / 120), shift state

// Shift state bits.
inline constexpr std::int32_t kCtrlDown = 1;
inline constexpr std::int32_t kShiftDown = 2;
inline constexpr std::int32_t kAltDown = 4;

}  // namespace sw::event

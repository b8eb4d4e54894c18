// Which window messages raise which common events, with their arguments.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>

namespace sw {

struct RaisedEvent {
  std::int32_t event = 0;
  std::array<std::int32_t, 3> args{};
};

// None for a message that raises no common event. The shift state is read from the keyboard state.
std::optional<RaisedEvent> CommonEventFor(UINT message, WPARAM wparam, LPARAM lparam);

// Bit 0 Ctrl, bit 1 Shift, bit 2 Alt, each set while the key is down.
std::int32_t ShiftState();

}  // namespace sw

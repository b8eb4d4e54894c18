// What screen readers learn about a unit. The system's standard accessible object for the unit's window
// answers everything (position, navigation, children, focus); a thin wrapper around it adds what the
// standard object cannot know about our own window classes: the role, the name, the state a user can act
// on, and a default action that presses the unit.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <cstdint>
#include <optional>
#include <string>

namespace sw {

struct AccessibleFacts {
  LONG role = 0;                     // ROLE_SYSTEM_*; 0 keeps the standard object's role
  std::optional<std::wstring> name;  // none: the window's text at the time it is asked for
  std::wstring default_action;       // empty: none; otherwise accDoDefaultAction presses the unit
  bool focusable = false;            // a Tab stop
  bool hidden = false;               // a helper window that readers skip
  bool checkable = false;            // a check box: its window answers BM_GETCHECK
  bool chosen_entry_value = false;   // a drop-down list: its value is the chosen entry
};

// A button's default action, as readers announce it: "press".
inline constexpr char kPressActionGbk[] = "\xB0\xB4\xCF\xC2";

// The answer to WM_GETOBJECT for the unit's client area, or nullopt to leave it to the system.
std::optional<LRESULT> AnswerAccessibleObject(HWND hwnd, const AccessibleFacts& facts, WPARAM wparam,
                                              LPARAM lparam);

// Posted to a unit whose default action a reader has asked for: the unit presses itself once the reader's
// call has returned, since the press may open a modal window.
UINT UnitPressMessage();

}  // namespace sw

// A popup menu of text items (a context menu), shown at a point and waited on; the caller runs what the
// chosen item stands for.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace sw {

struct PopupMenuItem {
  std::string_view text;  // GBK; "&" marks the access key, and a tab sets off the shortcut shown at the right
  bool enabled;           // a disabled item is shown greyed and cannot be chosen
};

// Shows the items with the menu's top-left corner at `screen` (moved only where the screen ends), owned by
// `owner`, and returns once it is closed: the index of the chosen item, or none when the user closed it
// without choosing or the system could not show it.
std::optional<std::size_t> ChoosePopupMenuItem(HWND owner, std::span<const PopupMenuItem> items,
                                               POINT screen);

}  // namespace sw

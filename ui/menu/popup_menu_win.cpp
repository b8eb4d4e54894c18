#include "ui/menu/popup_menu_win.h"

#include <string>

#include "base/handles_win.h"
#include "base/text_codepage_win.h"

namespace sw {

std::optional<std::size_t> ChoosePopupMenuItem(HWND owner, std::span<const PopupMenuItem> items,
                                               POINT screen) {
  ScopedMenu menu(CreatePopupMenu());
  if (!menu) return std::nullopt;
  // Command ids are the items' positions from 1: TrackPopupMenu answers 0 for "nothing chosen".
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::wstring text = WideFromGbk(items[i].text);
    const UINT state = items[i].enabled ? MF_ENABLED : MF_GRAYED;
    if (!AppendMenuW(menu.get(), MF_STRING | state, i + 1, text.c_str())) return std::nullopt;
  }
  // TPM_RIGHTBUTTON: a menu opened by a right click may be chosen from with either button, as users expect
  // of a context menu. TPM_RETURNCMD: the choice comes back here, not as a WM_COMMAND to the owner.
  const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD;
  const BOOL chosen = TrackPopupMenu(menu.get(), flags, screen.x, screen.y, 0, owner, nullptr);
  if (chosen <= 0 || static_cast<std::size_t>(chosen) > items.size()) return std::nullopt;
  return static_cast<std::size_t>(chosen) - 1;
}

}  // namespace sw

// The whole program in this process, as WinMain runs it: the start-up, MainWindow with its cue text and
// shadow, the close button, the web page on the way out and exit code 0. Found and clicked from a timer
// inside the program's own message loop, through the system windows only.
#include "app/program_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_texts.h"
#include "ui/files/file_services_win.h"
#include "ui/runtime/window_runtime_win.h"
#include "ui/text/text_codepage_win.h"

namespace sw {
namespace {

std::vector<std::string> opened_pages;
void RecordPage(std::string_view url) { opened_pages.emplace_back(url); }

struct Seen {
  bool clicked = false;
  std::string content;  // ContentEdit's text
  bool has_shadow = false;
};
Seen seen;

struct ChildSearch {
  const wchar_t* class_name;
  POINT at;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  wchar_t name[64] = {};
  GetClassNameW(child, name, 64);
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  if (_wcsicmp(name, search->class_name) == 0 && rect.left == search->at.x && rect.top == search->at.y) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

// The child whose top-left corner lies at (x, y) of its parent, of the class given.
HWND ChildAt(HWND root, const wchar_t* class_name, int x, int y) {
  ChildSearch search{class_name, {x, y}, nullptr};
  EnumChildWindows(root, &MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void CALLBACK CloseWhenShown(HWND, UINT, UINT_PTR, DWORD) {
  const HWND main = FindWindowW(kWindowClass, L"Stripewright");
  if (main == nullptr || seen.clicked) return;
  const HWND edit = ChildAt(main, L"Edit", 125, 205);
  const HWND close = ChildAt(main, kPicBtnClass, 470, 4);
  if (edit == nullptr || close == nullptr) return;
  seen.clicked = true;
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  seen.content = GbkFromWide(text);
  seen.has_shadow = GetPropA(main, "Umbra.WndShadow") != nullptr;
  SendMessageW(close, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(close, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

TEST(Program, StartsShowsTheMainWindowAndEndsWithZeroWhenClosed) {
  const WebPageOpener previous = SetWebPageOpener(&RecordPage);
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, &CloseWhenShown);
  const int exit_code = app::RunProgram();
  KillTimer(nullptr, timer);
  SetWebPageOpener(previous);

  EXPECT_EQ(exit_code, 0);
  EXPECT_TRUE(seen.clicked) << "MainWindow never showed";
  EXPECT_EQ(seen.content, app::kCueText);
  EXPECT_TRUE(seen.has_shadow);
  EXPECT_EQ(opened_pages, std::vector<std::string>{std::string(app::kMakerPageAddress)})
      << "once, on the way out";
  EXPECT_EQ(FindWindowW(kWindowClass, L"Stripewright"), nullptr);

  // The program's folder is this executable's, and it is the current directory.
  wchar_t module[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring folder(module);
  folder.resize(folder.rfind(L'\\'));
  EXPECT_EQ(ProgramDirectory(), GbkFromWide(folder));
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  EXPECT_EQ(_wcsicmp(current, folder.c_str()), 0);
}

}  // namespace
}  // namespace sw

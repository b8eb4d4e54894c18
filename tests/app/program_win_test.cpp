// The whole program in this process, as WinMain runs it: the start-up, MainWindow with its cue text,
// shadow and icons, the close button, the web page on the way out and exit code 0. Found and clicked from
// a timer inside the program's own message loop, through the system windows only. This executable carries
// the program's resources (the icon). Then the real Stripewright.exe in a process of its own: which of its
// windows have a taskbar button.
#include "app/program_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_texts.h"
#include "base/handles_win.h"
#include "base/text_codepage_win.h"
#include "tests/support/case_table.h"
#include "tests/support/started_program_win.h"
#include "ui/files/file_services_win.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw {
namespace {

std::vector<std::string> opened_pages;
void RecordPage(std::string_view url) { opened_pages.emplace_back(url); }

struct Seen {
  bool clicked = false;
  std::string content;  // ContentEdit's text
  bool has_shadow = false;
  SIZE large_icon{};  // the window class's icons; 0 x 0 for none
  SIZE small_icon{};
};
Seen seen;

SIZE IconSize(ULONG_PTR icon) {
  ICONINFO info{};
  if (icon == 0 || !GetIconInfo(reinterpret_cast<HICON>(icon), &info)) return {};
  const ScopedBitmap color(info.hbmColor), mask(info.hbmMask);  // copies made for the caller
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  return {bitmap.bmWidth, bitmap.bmHeight};
}

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
  seen.large_icon = IconSize(GetClassLongPtrW(main, GCLP_HICON));
  seen.small_icon = IconSize(GetClassLongPtrW(main, GCLP_HICONSM));
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
  // The program's icon for the taskbar, Alt+Tab and the window manager, at the system's two sizes.
  EXPECT_EQ(seen.large_icon.cx, GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(seen.large_icon.cy, GetSystemMetrics(SM_CYICON));
  EXPECT_EQ(seen.small_icon.cx, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(seen.small_icon.cy, GetSystemMetrics(SM_CYSMICON));
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

TEST(Program, OnlyTheMainWindowHasATaskbarButton) {
  wchar_t exe[MAX_PATH] = {};
  ASSERT_NE(GetEnvironmentVariableW(L"SW_PROGRAM", exe, MAX_PATH), 0u) << "SW_PROGRAM names no program";
  const testing::StartedProgram program(exe);
  ASSERT_TRUE(program.started()) << "SW_PROGRAM cannot be started, error " << GetLastError();
  // Shown only once all its units are built.
  const HWND main = program.WaitForWindow([](HWND window) {
    wchar_t title[16] = {};
    GetWindowTextW(window, title, 16);
    return std::wstring(title) == L"Stripewright" && IsWindowVisible(window);
  });
  ASSERT_NE(main, nullptr) << "MainWindow never showed";
  const HWND hidden_owner = GetWindow(main, GW_OWNER);
  ASSERT_NE(hidden_owner, nullptr);
  // Generate with only the cue text in the box: the encoder loads the host window, and ErrorTipsWindow
  // opens over MainWindow.
  const HWND generate = ChildAt(main, kPicBtnClass, 67, 251);
  ASSERT_NE(generate, nullptr);
  PostMessageW(generate, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageW(generate, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  const HWND tips =
      program.WaitForWindow([main](HWND window) { return GetWindow(window, GW_OWNER) == main; });
  const HWND host = program.WaitForWindow([main, hidden_owner](HWND window) {
    return window != main && GetWindow(window, GW_OWNER) == hidden_owner;
  });

  const struct {
    HWND window;
    bool taskbar_button;
    const char* reason;
  } rows[] = {
      {main, true, "MainWindow: shown, and owned by the hidden owner, which alone would keep it off"},
      {tips, false, "ErrorTipsWindow: owned by MainWindow"},
      {host, false, "BarcodeHostWindow: the hidden owner's too, but never shown"},
  };
  testing::ForEachRow(rows, [](const auto& row) {
    ASSERT_NE(row.window, nullptr) << "the window never came";
    EXPECT_EQ((GetWindowLongPtrW(row.window, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0, row.taskbar_button);
  });
}

}  // namespace
}  // namespace sw

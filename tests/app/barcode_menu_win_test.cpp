// The barcode's context menu under Wine, through the real windows: its items and their greyed state, where
// it opens for a right click and for the keys, and that each item runs its own command. Every menu is read
// and closed from a timer that runs inside the menu's modal loop, as a user would close it.
#include "app/barcode_menu_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/app_texts.h"
#include "app/handlers_win.h"
#include "app/program_state.h"
#include "base/text_codepage_win.h"
#include "tests/app/app_driver_win.h"
#include "tests/app/shared_app_test_win.h"
#include "tests/support/case_table.h"
#include "ui/files/clipboard_win.h"
#include "ui/runtime/unit_events.h"

namespace sw {
namespace {

using namespace layout;
using test::AppDriver;

// The items as the user sees them: UTF-16, spelled apart from the program's GBK texts.
const std::vector<std::wstring> kItemTexts = {
    L"\u590d\u5236(&C)\tCtrl+C",                 // 复制: copy
    L"\u53e6\u5b58\u4e3a(&A)...\tCtrl+Shift+S",  // 另存为: save as
    L"\u6253\u5370(&P)...\tCtrl+P",              // 打印: print
    L"\u6761\u7801\u8bbe\u7f6e(&B)...",          // 条码设置: the settings window
};

// One popup menu as it was on the screen.
struct MenuSeen {
  std::vector<std::wstring> texts;
  std::vector<bool> greyed;
  POINT corner{};  // its window's top-left corner, in screen coordinates
  HWND owner = nullptr;
};

// How the reader closes each menu: Escape, an item's access key, or Down pressed `downs` times and Enter.
struct Choice {
  enum Kind { kEscape, kAccessKey, kDownsAndEnter } kind = kEscape;
  wchar_t key = 0;
  int downs = 0;
};

// Reads every popup menu this thread shows, from a timer inside the menu's loop, and closes it by the
// choice set. A menu that its keys leave open is ended after a second, so that a test fails, never hangs.
// A dialog box that `dialog_owner` owns (the Save dialog) is noted by its title and cancelled.
class MenuReader {
 public:
  MenuReader() {
    active_ = this;
    timer_ = SetTimer(nullptr, 0, 10, &MenuReader::Tick);
  }
  ~MenuReader() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
  }
  MenuReader(const MenuReader&) = delete;
  MenuReader& operator=(const MenuReader&) = delete;

  void CloseBy(Choice choice) { choice_ = choice; }
  void CancelDialogsOf(HWND owner) { dialog_owner_ = owner; }
  std::vector<MenuSeen> Take() { return std::exchange(seen_, {}); }
  std::vector<std::wstring> TakeDialogs() { return std::exchange(dialogs_, {}); }
  bool left_open() const { return left_open_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (active_ != nullptr) active_->Read();
  }

  // The visible popup menu window of this thread, if one is open.
  static HWND OpenMenu() {
    for (HWND window = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, L"#32768", nullptr)) {
      if (IsWindowVisible(window) && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        return window;
      }
    }
    return nullptr;
  }

  void CancelDialog() {
    const HWND dialog = dialog_owner_ != nullptr ? test::FindOwnedDialog(dialog_owner_) : nullptr;
    if (dialog == nullptr || dialog == cancelled_) return;
    cancelled_ = dialog;
    wchar_t title[64] = {};
    GetWindowTextW(dialog, title, 64);
    dialogs_.emplace_back(title);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }

  void Read() {
    CancelDialog();
    const HWND window = OpenMenu();
    if (window == nullptr) return;
    if (window == answered_) {
      constexpr int kTicksToClose = 100;
      if (++ticks_open_ > kTicksToClose) {
        left_open_ = true;
        EndMenu();
      }
      return;
    }
    answered_ = window;
    ticks_open_ = 0;
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    MenuSeen seen;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      wchar_t text[128] = {};
      GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
      seen.texts.emplace_back(text);
      seen.greyed.push_back((GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) != 0);
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    seen.corner = {rect.left, rect.top};
    seen.owner = GetWindow(window, GW_OWNER);
    seen_.push_back(std::move(seen));
    // The menu's loop reads the keys from the thread's queue, whichever window they are posted to.
    switch (choice_.kind) {
      case Choice::kEscape: PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1); break;
      case Choice::kAccessKey: PostMessageW(window, WM_CHAR, choice_.key, 1); break;
      case Choice::kDownsAndEnter:
        for (int i = 0; i < choice_.downs; ++i) PostMessageW(window, WM_KEYDOWN, VK_DOWN, 1);
        PostMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
        break;
    }
  }

  static MenuReader* active_;
  UINT_PTR timer_ = 0;
  Choice choice_;
  std::vector<MenuSeen> seen_;
  HWND dialog_owner_ = nullptr;
  std::vector<std::wstring> dialogs_;
  HWND cancelled_ = nullptr;
  HWND answered_ = nullptr;
  int ticks_open_ = 0;
  bool left_open_ = false;
};
MenuReader* MenuReader::active_ = nullptr;

// What asks for the menu.
enum class Opener { kRightClick, kMenuKey, kShiftF10 };

// Every test starts from a fresh start's state.
class BarcodeMenu : public test::SharedAppTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app_.ready()) << app_.error();
    app_.Pump();
    app_.TakeTips();
    menus_.Take();
    menus_.TakeDialogs();
    menus_.CloseBy({});
    menus_.CancelDialogsOf(runtime().Handle(MainWindow::kId));
    runtime().SetPicture(MainWindow::kBarcodePicture, {});
    app::FullSizeBarcode().clear();
    app::GeneratedContent().clear();
    runtime().SetFocusTo(MainWindow::kFocusSink);
    app_.SetContent("MENU-1");
  }
  void Generate(std::string_view content) { EXPECT_TRUE(app_.Generate(content).empty()) << content; }
  // A right click at `at` (client coordinates of the picture), sent to whichever unit the system finds
  // there: the topmost visible one.
  void RightClick(POINT at) {
    const HWND main = runtime().Handle(MainWindow::kId);
    MapWindowPoints(Picture(), main, &at, 1);
    const HWND hit = ChildWindowFromPointEx(main, at, CWP_SKIPINVISIBLE);
    MapWindowPoints(main, hit, &at, 1);
    PostMessageW(hit, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(hit, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    app_.Pump();
  }
  // Asks for the menu; a right click lands at `at` in the picture.
  void Open(Opener opener, POINT at = {}) {
    switch (opener) {
      case Opener::kRightClick: RightClick(at); break;
      case Opener::kMenuKey: app_.PressAndSettle(VK_APPS); break;
      case Opener::kShiftF10: app_.PressAndSettle(VK_F10, event::kShiftDown); break;
    }
  }
  HWND Picture() { return runtime().Handle(MainWindow::kBarcodePicture); }
  POINT PictureToScreen(POINT at) {
    ClientToScreen(Picture(), &at);
    return at;
  }
  MenuReader menus_;
};

// Places in the picture (344 x 120), client coordinates.
constexpr POINT kPictureCentre{344 / 2, 120 / 2};
constexpr POINT kNearCorner{10, 12};
constexpr POINT kLastPixel{343, 119};
constexpr POINT kOverFocusSink{200, 70};  // FocusSink, 128 x 20 at (178, 63) of the picture, lies under it

TEST_F(BarcodeMenu, OpensWhereAskedWithItsItemsGreyedUntilTheFirstGenerate) {
  struct Row {
    Opener opener;
    POINT at;  // the right click's place in the picture; for a key, where the menu opens
    std::uint32_t focus;
    bool barcode_before;
    const char* reason;
  };
  const Row rows[] = {
      {Opener::kRightClick, kNearCorner, MainWindow::kFocusSink, false,
       "a right click, before a barcode: greyed"},
      {Opener::kRightClick, kNearCorner, MainWindow::kFocusSink, true, "after a generate: all can be chosen"},
      {Opener::kRightClick, kLastPixel, MainWindow::kContentEdit, true, "the picture's last pixel"},
      {Opener::kRightClick, kOverFocusSink, MainWindow::kFocusSink, true, "where FocusSink lies under it"},
      {Opener::kMenuKey, kPictureCentre, MainWindow::kFocusSink, false, "the Menu key: at the centre"},
      {Opener::kMenuKey, kPictureCentre, MainWindow::kContentEdit, true,
       "in the content box: the barcode's menu, not the box's own"},  // 5
      {Opener::kShiftF10, kPictureCentre, MainWindow::kContentEdit, false, "Shift+F10 in the content box"},
      {Opener::kShiftF10, kPictureCentre, MainWindow::kFocusSink, true, "Shift+F10 elsewhere"},
  };
  const HWND main = runtime().Handle(MainWindow::kId);
  testing::ForEachRow(rows, [&](const Row& row) {
    SetUp();
    if (row.barcode_before) Generate("MENU-2");
    const std::vector<std::uint8_t> shown = app_.Picture();
    runtime().SetFocusTo(row.focus);
    ASSERT_TRUE(test::PutClipboardText(main, L"before"));
    Open(row.opener, row.at);
    const std::vector<MenuSeen> menus = menus_.Take();
    ASSERT_EQ(menus.size(), 1u) << "one menu, and only the barcode's";
    EXPECT_EQ(menus[0].texts, kItemTexts);
    EXPECT_EQ(menus[0].greyed,
              (std::vector<bool>{!row.barcode_before, !row.barcode_before, !row.barcode_before, false}))
        << "the settings need no barcode";
    const POINT corner = PictureToScreen(row.at);
    EXPECT_EQ(menus[0].corner.x, corner.x);
    EXPECT_EQ(menus[0].corner.y, corner.y);
    EXPECT_EQ(menus[0].owner, main);
    EXPECT_FALSE(menus_.left_open());
    // Escape closes it, and nothing has happened.
    EXPECT_TRUE(app_.TakeTips().empty());
    EXPECT_EQ(test::ClipboardText(main), L"before");
    EXPECT_EQ(app_.Picture(), shown);
    EXPECT_EQ(GetFocus(), runtime().Handle(row.focus)) << "the focus stays where it was";
  });
}

// The entry each recording command stands for, and the event it was run with.
std::vector<std::pair<int, std::int32_t>> g_ran;
template <int kEntry>
std::int32_t RecordEntry(const EventContext& context) {
  g_ran.emplace_back(kEntry, context.event);
  return 0;
}

TEST_F(BarcodeMenu, EachItemRunsItsOwnEntry) {
  struct Row {
    Choice choice;
    bool barcode_before;
    std::optional<int> ran;
    const char* reason;
  };
  const Row rows[] = {
      {{Choice::kAccessKey, L'c'}, true, 0, "Copy by its access key"},
      {{Choice::kAccessKey, L'a'}, true, 1, "Save as by its access key"},
      {{Choice::kAccessKey, L'p'}, true, 2, "Print by its access key"},
      {{Choice::kDownsAndEnter, 0, 3}, true, 2, "by the arrow keys and Enter"},
      {{Choice::kEscape}, true, std::nullopt, "Escape runs nothing"},
      {{Choice::kAccessKey, L'c'}, false, std::nullopt, "a greyed item cannot be chosen"},  // 5
      {{Choice::kAccessKey, L'b'}, false, 3, "the settings by their access key, before any barcode"},
  };
  const std::span<const app::BarcodeMenuItem> shipped = app::BarcodeMenuItems();
  ASSERT_EQ(shipped.size(), 4u);
  const app::BarcodeMenuItem recording[] = {
      {shipped[0].text, &RecordEntry<0>},
      {shipped[1].text, &RecordEntry<1>},
      {shipped[2].text, &RecordEntry<2>},
      {shipped[3].text, &RecordEntry<3>, shipped[3].without_barcode},
  };
  const EventContext key{runtime(), MainWindow::kId, MainWindow::kId, event::kKeyDown, {VK_APPS, 0, 0}};
  testing::ForEachRow(rows, [&](const Row& row) {
    SetUp();
    if (row.barcode_before) Generate("MENU-3");
    menus_.CloseBy(row.choice);
    g_ran.clear();
    app::RunBarcodeMenu(key, recording);
    EXPECT_EQ(menus_.Take().size(), 1u);
    if (row.ran) {
      ASSERT_EQ(g_ran.size(), 1u);
      EXPECT_EQ(g_ran[0].first, *row.ran);
      EXPECT_EQ(g_ran[0].second, event::kKeyDown) << "with the event that opened the menu";
    } else {
      EXPECT_TRUE(g_ran.empty());
    }
  });
  // Print shows its dialog only where the run's spooler is up (its own tests cover it): its entry names it.
  EXPECT_EQ(shipped[2].command, &app::PrintBarcode);
}

TEST_F(BarcodeMenu, ItemsRunTheirCommands) {
  enum Outcome { kCopied, kNothing, kSaveDialog };
  struct Row {
    Opener opener;
    std::uint32_t focus;
    bool select_box_text;
    bool barcode_before;
    wchar_t access_key;
    Outcome outcome;
    const char* reason;
  };
  const Row rows[] = {
      {Opener::kRightClick, MainWindow::kFocusSink, false, true, L'c', kCopied,
       "Copy: the full-size barcode on the clipboard, as Ctrl+C puts it"},
      {Opener::kShiftF10, MainWindow::kContentEdit, true, true, L'c', kCopied,
       "the barcode, though the box has its text selected (Ctrl+C would copy that)"},
      {Opener::kMenuKey, MainWindow::kFocusSink, false, false, L'c', kNothing, "no barcode yet: nothing"},
      {Opener::kRightClick, MainWindow::kFocusSink, false, true, L'a', kSaveDialog,
       "Save as: the Save dialog, owned by the main window"},
  };
  const HWND main = runtime().Handle(MainWindow::kId);
  testing::ForEachRow(rows, [&](const Row& row) {
    SetUp();
    std::vector<std::uint8_t> generated;
    if (row.barcode_before) {
      Generate("MENU-4");
      generated = test::ReadFileBytes(std::string(app::kFullSizeCopyPath));
      ASSERT_FALSE(generated.empty());
    }
    app_.SetContent("EDITED");
    runtime().SetFocusTo(row.focus);
    if (row.select_box_text) SendMessageW(runtime().Handle(MainWindow::kContentEdit), EM_SETSEL, 0, -1);
    ASSERT_TRUE(test::PutClipboardText(main, L"before"));
    menus_.CloseBy({Choice::kAccessKey, row.access_key});
    Open(row.opener, kPictureCentre);
    EXPECT_EQ(menus_.Take().size(), 1u);
    EXPECT_TRUE(app_.TakeTips().empty());
    const std::vector<std::wstring> dialogs = menus_.TakeDialogs();
    if (row.outcome == kCopied) {
      EXPECT_EQ(BmpFromClipboard(main), generated) << "the full-size barcode, header and all";
    } else {
      EXPECT_EQ(test::ClipboardText(main), L"before");
    }
    if (row.outcome == kSaveDialog) {
      EXPECT_EQ(dialogs, std::vector<std::wstring>{WideFromGbk(app::kSaveAsTitle)});
    } else {
      EXPECT_TRUE(dialogs.empty());
    }
  });
}

}  // namespace
}  // namespace sw

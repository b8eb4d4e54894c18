#include "tests/app/app_driver_win.h"

#include <cstring>
#include <utility>

#include "app/handler_table_win.h"
#include "app/layout_ids.h"
#include "app/program_state.h"
#include "app/progress_window_win.h"
#include "base/handles_win.h"
#include "base/text_codepage_win.h"
#include "shadow/gdiplus_startup_win.h"
#include "ui/files/file_services_win.h"
#include "ui/runtime/unit_events.h"

namespace sw::resources {
extern const std::span<const unsigned char> kWindowDescriptions;
}

namespace sw::test {
namespace {

using layout::ErrorTipsWindow;
using layout::MainWindow;
using layout::ProgressWindow;
using layout::ReplaceTipsWindow;
using layout::TipsWindow;

AppDriver* active_driver = nullptr;  // the timer procedure's way back to its driver
std::vector<std::string> opened_pages;

void RecordPage(std::string_view url) { opened_pages.emplace_back(url); }

struct TipsUnits {
  std::uint32_t window;
  std::uint32_t label;
  std::uint32_t ok_button;
};
constexpr TipsUnits kTipsWindows[] = {
    {ErrorTipsWindow::kId, ErrorTipsWindow::kTipsMessageLabel, ErrorTipsWindow::kTipsOkButton},
    {TipsWindow::kId, TipsWindow::kTipsMessageLabel, TipsWindow::kTipsOkButton},
    {ReplaceTipsWindow::kId, ReplaceTipsWindow::kTipsMessageLabel, ReplaceTipsWindow::kReplaceOkButton},
};

}  // namespace

AppDriver::AppDriver() {
  SetWebPageOpener(&RecordPage);
  StartGdiplus();
  InitProgramDirectory();
  app::TipsMessage().clear();
  app::SavedPath().clear();
  app::FullSizeBarcode().clear();
  app::GeneratedContent().clear();
  app::SaveAsFolder().clear();
  RuntimeStart start =
      WindowRuntime::Create(resources::kWindowDescriptions, app::HandlerTable(), app::ShortcutTable());
  if (!start.ok()) {
    error_ = start.message();
    return;
  }
  runtime_ = std::move(start).value();
  const LoadResult loaded = runtime_->LoadWindow(MainWindow::kId);
  if (!loaded.ok()) error_ = loaded.message();
  active_driver = this;
  timer_ = SetTimer(nullptr, 0, 10, &AppDriver::CloseTips);
  Pump();
}

AppDriver::~AppDriver() {
  if (timer_ != 0) KillTimer(nullptr, timer_);
  active_driver = nullptr;
  runtime_.reset();
  Pump();
  opened_pages.clear();
}

void AppDriver::Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (runtime_ != nullptr) {
      runtime_->Deliver(message);  // as the program's own loop does
    } else {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void AppDriver::Settle() {
  Pump();
  BYTE none[256] = {};
  SetKeyboardState(none);
}

void AppDriver::PressAndSettle(UINT key, std::int32_t shift_state, bool held) {
  PressKey(key, shift_state, held);
  Settle();
}

std::vector<TipsSeen> AppDriver::Generate(std::string_view content) {
  SetContent(content);
  Click(MainWindow::kGenerateButton);
  Pump();
  return TakeTips();
}

namespace {

bool AltWithoutCtrl(std::int32_t shift_state) {
  return (shift_state & event::kAltDown) != 0 && (shift_state & event::kCtrlDown) == 0;
}

// Alt without Ctrl makes a key a system key (Ctrl+Alt is AltGr, an ordinary one); so is F10 without Ctrl,
// the key that opens a menu bar.
bool IsSystemKey(UINT key, std::int32_t shift_state) {
  return AltWithoutCtrl(shift_state) || (key == VK_F10 && (shift_state & event::kCtrlDown) == 0);
}

LPARAM KeyBits(UINT key, std::int32_t shift_state) {
  constexpr LPARAM kAltContext = LPARAM{1} << 29;
  return (static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16) | 1 |
         (AltWithoutCtrl(shift_state) ? kAltContext : 0);
}

UINT KeyMessage(UINT key, std::int32_t shift_state, UINT plain, UINT system) {
  return IsSystemKey(key, shift_state) ? system : plain;
}

}  // namespace

void AppDriver::KeyDown(UINT key, std::int32_t shift_state, bool repeat) {
  // The shift keys as the keyboard state that the loop reads while it handles the key.
  BYTE keys[256] = {};
  if ((shift_state & event::kCtrlDown) != 0) keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
  if ((shift_state & event::kShiftDown) != 0) keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
  if ((shift_state & event::kAltDown) != 0) keys[VK_MENU] = keys[VK_LMENU] = 0x80;
  SetKeyboardState(keys);
  const LPARAM was_down = LPARAM{1} << 30;
  PostMessageW(GetFocus(), KeyMessage(key, shift_state, WM_KEYDOWN, WM_SYSKEYDOWN), key,
               KeyBits(key, shift_state) | (repeat ? was_down : 0));
}

void AppDriver::KeyUp(UINT key, std::int32_t shift_state) {
  const LPARAM was_down_and_released = (LPARAM{1} << 30) | (LPARAM{1} << 31);
  PostMessageW(GetFocus(), KeyMessage(key, shift_state, WM_KEYUP, WM_SYSKEYUP), key,
               KeyBits(key, shift_state) | was_down_and_released);
}

void AppDriver::PressKey(UINT key, std::int32_t shift_state, bool held) {
  KeyDown(key, shift_state, held);
  KeyUp(key, shift_state);
}

void AppDriver::Type(std::wstring_view text) {
  for (const wchar_t c : text) PostMessageW(GetFocus(), WM_CHAR, c, 1);
}

void AppDriver::Click(std::uint32_t unit_id) {
  const HWND button = runtime_->Handle(unit_id);
  RECT client{};
  GetClientRect(button, &client);
  const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  if (IsWindow(button)) SendMessageW(button, WM_LBUTTONUP, 0, middle);
}

void AppDriver::SetContent(std::string_view gbk) { runtime_->SetText(MainWindow::kContentEdit, gbk); }

std::string AppDriver::Content() const {
  return runtime_->GetText(MainWindow::kContentEdit).value_or("<none>");
}

std::vector<std::uint8_t> AppDriver::Picture() const {
  return runtime_->GetPicture(MainWindow::kBarcodePicture).value_or(Bytes());
}

std::vector<TipsSeen> AppDriver::TakeTips() { return std::exchange(tips_, {}); }

std::vector<std::string> AppDriver::TakeOpenedPages() { return std::exchange(opened_pages, {}); }

void CALLBACK AppDriver::CloseTips(HWND, UINT, UINT_PTR, DWORD) {
  if (active_driver != nullptr) active_driver->CloseOpenTips();
}

void AppDriver::CancelNextProgress() {
  cancel_progress_ = true;
  progress_.reset();
  app::ShowProgressAtOnceForTests(true);
}

std::optional<ProgressSeen> AppDriver::TakeProgress() {
  cancel_progress_ = false;
  app::ShowProgressAtOnceForTests(false);
  return std::exchange(progress_, std::nullopt);
}

void AppDriver::CloseOpenTips() {
  if (runtime_ == nullptr) return;
  if (cancel_progress_ && runtime_->IsLoaded(ProgressWindow::kId)) {
    progress_ = ProgressSeen{runtime_->GetText(ProgressWindow::kProgressTitleLabel).value_or("<none>"),
                             runtime_->GetText(ProgressWindow::kProgressLineLabel).value_or("<none>"),
                             IsWindowEnabled(runtime_->Handle(MainWindow::kId)) == FALSE};
    cancel_progress_ = false;
    Click(ProgressWindow::kProgressCancelButton);
  }
  if (last_closed_ != nullptr && !IsWindow(last_closed_)) last_closed_ = nullptr;
  // A window that its key has not closed within half a second is closed by its button, so that a test
  // fails instead of waiting for ever.
  constexpr int kTicksForAKey = 50;
  for (const TipsUnits& tips : kTipsWindows) {
    const HWND window = runtime_->Handle(tips.window);
    if (window != nullptr && window == last_closed_ && !tips_.empty() && tips_.back().closed_by_key &&
        ++ticks_since_key_ > kTicksForAKey) {
      tips_.back().closed_by_key = false;
      Click(tips.ok_button);
    }
    if (window == nullptr || window == last_closed_) continue;
    last_closed_ = window;
    TipsSeen seen;
    seen.window_id = tips.window;
    seen.message = runtime_->GetText(tips.label).value_or("<none>");
    seen.owner_disabled = IsWindowEnabled(runtime_->Handle(MainWindow::kId)) == FALSE;
    seen.shadow = static_cast<HWND>(GetPropA(window, "Umbra.WndShadow"));
    seen.closed_by_key = closer_ != TipsCloser::kOkButton;
    tips_.push_back(std::move(seen));
    if (closer_ == TipsCloser::kOkButton) {
      Click(tips.ok_button);
    } else {
      ticks_since_key_ = 0;
      PressKey(closer_ == TipsCloser::kEnter ? VK_RETURN : VK_ESCAPE);
    }
  }
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path_gbk) {
  return ReadFileBytes(WideFromGbk(path_gbk));
}

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::vector<std::uint8_t> bytes(GetFileSize(file, nullptr));
  DWORD read = 0;
  if (!bytes.empty() && !ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    read = 0;
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

bool FileExists(const std::string& path_gbk) {
  return GetFileAttributesW(WideFromGbk(path_gbk).c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

struct OwnedSearch {
  HWND owner = nullptr;
  HWND found = nullptr;
};

BOOL CALLBACK CheckOwned(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<OwnedSearch*>(data);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) == L"#32770" && GetWindow(window, GW_OWNER) == search->owner &&
      IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindOwnedDialog(HWND owner) {
  OwnedSearch search{owner};
  EnumThreadWindows(GetCurrentThreadId(), &CheckOwned, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ClipboardText(HWND owner) {
  const ScopedClipboard clipboard = OpenClipboardFor(owner);
  const ScopedGlobalLock text = LockGlobal(clipboard ? GetClipboardData(CF_UNICODETEXT) : nullptr);
  if (!text) return L"<none>";
  return std::wstring(
      static_cast<const wchar_t*>(text.get().data),
      wcsnlen(static_cast<const wchar_t*>(text.get().data), LockedSize(text) / sizeof(wchar_t)));
}

bool PutClipboardText(HWND owner, const std::wstring& text) {
  ScopedGlobalMemory block = AllocateGlobal((text.size() + 1) * sizeof(wchar_t));
  {
    const ScopedGlobalLock locked = LockGlobal(block.get());
    if (!locked) return false;
    std::memcpy(locked.get().data, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  }
  const ScopedClipboard clipboard = OpenClipboardFor(owner);
  if (!clipboard || !EmptyClipboard() || SetClipboardData(CF_UNICODETEXT, block.get()) == nullptr) {
    return false;
  }
  block.release();
  return true;
}

}  // namespace sw::test

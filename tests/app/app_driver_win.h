// Drives the real program windows through their units, as a user would: text into the edit box, clicks
// as mouse messages to the buttons, keys posted to the focused window through the runtime's message loop,
// and every modal tips window read and closed (by its OK button, or by a key) from a timer that runs
// inside the modal loop. The web page opener is replaced: no browser ever starts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/layout_ids.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw::test {

// One tips window as it was on screen.
struct TipsSeen {
  std::uint32_t window_id = 0;
  std::string message;          // its TipsMessageLabel
  bool owner_disabled = false;  // MainWindow disabled while it was open
  HWND shadow = nullptr;        // its shadow window
  bool closed_by_key = false;   // the closing key alone closed it (no click needed)
};

// The progress window of long work as it was on screen when the driver cancelled it.
struct ProgressSeen {
  std::string title, line;      // its title and count line
  bool owner_disabled = false;  // MainWindow disabled while it was open
};

// How the driver closes each tips window.
enum class TipsCloser { kOkButton, kEnter, kEscape };

class AppDriver {
 public:
  AppDriver();  // GDI+, the program's folder, the runtime with the program's handlers, MainWindow loaded
  ~AppDriver();
  AppDriver(const AppDriver&) = delete;
  AppDriver& operator=(const AppDriver&) = delete;

  bool ready() const { return runtime_ != nullptr && runtime_->IsLoaded(layout::MainWindow::kId); }
  const std::string& error() const { return error_; }
  WindowRuntime& runtime() { return *runtime_; }

  // A press and a release of the left button at the middle of the unit.
  void Click(std::uint32_t unit_id);
  // A key pressed and released in the focused window, with these shift keys held (event::kCtrlDown ...);
  // `held` sends it as an auto-repeat of a key that is down already. Handled once the loop runs (Pump).
  static void PressKey(UINT key, std::int32_t shift_state = 0, bool held = false);
  // The pieces of a press, for a key held down: the press (or an auto-repeat) and the release. With Alt and
  // without Ctrl they are system keys, as the keyboard sends them, and so is F10 without Ctrl.
  static void KeyDown(UINT key, std::int32_t shift_state, bool repeat);
  static void KeyUp(UINT key, std::int32_t shift_state);
  // Characters typed into the focused window.
  static void Type(std::wstring_view text);
  void CloseTipsBy(TipsCloser closer) { closer_ = closer; }
  void SetContent(std::string_view gbk);
  std::string Content() const;
  std::vector<std::uint8_t> Picture() const;  // BarcodePicture's picture bytes
  void Pump();                                // every waiting message
  // Every waiting message, then no shift key down: a posted key leaves the thread's keyboard state behind.
  void Settle();
  // A key pressed and released in the focused window, handled (PressKey, then Settle).
  void PressAndSettle(UINT key, std::int32_t shift_state = 0, bool held = false);
  // The content into the box and a click on the generate button, handled; the tips windows it opened.
  std::vector<TipsSeen> Generate(std::string_view content);

  // Tips windows opened (and closed by the driver) since the last call.
  std::vector<TipsSeen> TakeTips();
  // From now on, the next progress window is cancelled (its 取消 pressed) as soon as it shows, and opens at
  // the work's first item; what it showed, once it has.
  void CancelNextProgress();
  std::optional<ProgressSeen> TakeProgress();
  // Addresses given to the web page opener since the last call.
  static std::vector<std::string> TakeOpenedPages();

 private:
  static void CALLBACK CloseTips(HWND, UINT, UINT_PTR, DWORD);
  void CloseOpenTips();

  std::unique_ptr<WindowRuntime> runtime_;
  std::string error_;
  std::vector<TipsSeen> tips_;
  HWND last_closed_ = nullptr;
  int ticks_since_key_ = 0;
  TipsCloser closer_ = TipsCloser::kOkButton;
  UINT_PTR timer_ = 0;
  bool cancel_progress_ = false;
  std::optional<ProgressSeen> progress_;
};

// The file's bytes; empty when it cannot be read. GBK path.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path_gbk);
std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path);
bool FileExists(const std::string& path_gbk);

// A visible dialog box of this thread (a Save dialog, a question) that `owner` owns; nullptr when none is
// open.
HWND FindOwnedDialog(HWND owner);

// The clipboard's text; "<none>" when it holds none.
std::wstring ClipboardText(HWND owner);
// Empties the clipboard and puts the text on it; false when the clipboard did not take it.
bool PutClipboardText(HWND owner, const std::wstring& text);

}  // namespace sw::test

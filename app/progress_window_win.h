// Long work's progress window: opened over the main window once the work is long enough to be worth it,
// with 取消 (and Esc), which stops the work before its next item. The main window is disabled meanwhile,
// so that no command runs inside the work while the window answers the user.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "base/handles_win.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw::app {

class RunProgress {
 public:
  RunProgress(WindowRuntime& runtime, std::string_view title, std::int64_t total);
  ~RunProgress();  // closes the window, and enables the main window again
  RunProgress(const RunProgress&) = delete;
  RunProgress& operator=(const RunProgress&) = delete;

  // `done` items are through: opens or updates the window and lets it answer the user. False once the user
  // has cancelled (or closed the window, or the program is asked to end): the caller stops there.
  bool Advance(std::int64_t done);
  bool cancelled() const { return cancelled_; }

 private:
  void Show(std::int64_t done);
  void Pump();

  WindowRuntime& runtime_;
  std::string title_;
  std::int64_t total_;
  ULONGLONG started_;
  ULONGLONG updated_ = 0;
  bool shown_ = false;
  bool cancelled_ = false;
  ScopedDisabledWindow main_disabled_;
};

// For tests only: the window opens at the first item, however quick the work.
void ShowProgressAtOnceForTests(bool at_once);

std::int32_t StartProgressWindow(const EventContext& context);  // created: shadow
std::int32_t CancelProgress(const EventContext& context);       // ProgressCancelButton clicked, Esc

}  // namespace sw::app

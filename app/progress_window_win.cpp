#include "app/progress_window_win.h"

#include "app/layout_ids.h"
#include "app/progress.h"
#include "shadow/shadow_window_win.h"

namespace sw::app {
namespace {

using layout::MainWindow;
using layout::ProgressWindow;

bool at_once_for_tests = false;
bool cancel_pressed = false;

constexpr ULONGLONG kUpdateEveryMs = 50;  // the count and bar at most this often: redrawing costs too

}  // namespace

void ShowProgressAtOnceForTests(bool at_once) { at_once_for_tests = at_once; }

RunProgress::RunProgress(WindowRuntime& runtime, std::string_view title, std::int64_t total)
    : runtime_(runtime),
      title_(title),
      total_(total),
      started_(GetTickCount64()),
      main_disabled_(DisableWindow(runtime.Handle(MainWindow::kId))) {
  cancel_pressed = false;
}

RunProgress::~RunProgress() {
  if (runtime_.IsLoaded(ProgressWindow::kId)) runtime_.DestroyWindowLater(ProgressWindow::kId);
}

bool RunProgress::Advance(std::int64_t done) {
  if (cancelled_) return false;
  if (!shown_) {
    const auto elapsed = static_cast<std::int64_t>(GetTickCount64() - started_);
    if (!ShowsProgress(at_once_for_tests ? kProgressAfterMs : elapsed, done, total_)) return true;
    // Built into the program: a window that cannot be loaded leaves the work to run unseen.
    shown_ = runtime_.LoadWindow(ProgressWindow::kId, MainWindow::kId).ok();
    if (!shown_) return true;
    runtime_.SetText(ProgressWindow::kProgressTitleLabel, title_);
    runtime_.SetFocusTo(ProgressWindow::kProgressCancelButton);
    Show(done);
  } else if (GetTickCount64() - updated_ >= kUpdateEveryMs || done >= total_) {
    Show(done);
  }
  Pump();
  cancelled_ = cancelled_ || cancel_pressed || !runtime_.IsLoaded(ProgressWindow::kId);
  return !cancelled_;
}

void RunProgress::Show(std::int64_t done) {
  updated_ = GetTickCount64();
  const std::string line = ProgressLine(done, total_);
  runtime_.SetText(ProgressWindow::kProgressLineLabel, line);
  runtime_.SetText(ProgressWindow::kProgressTrack, line);  // what a reader says of the bar
  RECT track{};
  GetClientRect(runtime_.Handle(ProgressWindow::kProgressTrack), &track);
  const HWND fill = runtime_.Handle(ProgressWindow::kProgressFill);
  SetWindowPos(fill, nullptr, 0, 0, ProgressFill(done, total_, track.right), track.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE | (done > 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  UpdateWindow(runtime_.Handle(ProgressWindow::kId));
}

void RunProgress::Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The program is asked to end: the work stops, and the loop that runs the program sees the request.
      PostQuitMessage(static_cast<int>(message.wParam));
      cancelled_ = true;
      return;
    }
    runtime_.Deliver(message);
  }
}

std::int32_t StartProgressWindow(const EventContext& context) {
  SetWindowShadow(context.runtime.Handle(context.window_id));
  return 0;
}

std::int32_t CancelProgress(const EventContext& context) {
  cancel_pressed = true;
  context.runtime.DestroyWindowLater(context.window_id);
  return 0;
}

}  // namespace sw::app

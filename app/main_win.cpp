// Stripewright's entry point: builds the window runtime from the embedded descriptions, opens MainWindow
// centred on the screen and runs the message loop until it is destroyed.
#include <windows.h>

#include <span>

#include "app/handler_table_win.h"
#include "app/layout_ids.h"
#include "ui/window_runtime_win.h"

namespace sw::resources {
extern const std::span<const unsigned char> kWindowDescriptions;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using sw::layout::MainWindow;
  sw::WindowRuntime::Start start = sw::WindowRuntime::Create(sw::resources::kWindowDescriptions,
                                                             sw::app::HandlerTable());
  if (start.runtime == nullptr) {
    // The descriptions are built into the program: this is a broken build, not a user's problem.
    OutputDebugStringA(("Stripewright: " + start.error + "\n").c_str());
    return 1;
  }
  const sw::LoadResult loaded = start.runtime->LoadWindow(MainWindow::kId);
  if (!loaded.ok) {
    OutputDebugStringA(("Stripewright: " + loaded.error + "\n").c_str());
    return 1;
  }
  return start.runtime->RunUntilClosed(MainWindow::kId);
}

#include "app/program_win.h"

#include <windows.h>

#include <cstdlib>
#include <span>
#include <string>

#include "app/handler_table_win.h"
#include "app/layout_ids.h"
#include "app/program_state.h"
#include "shadow/gdiplus_startup_win.h"
#include "shadow/shadow_template_image_win.h"
#include "ui/files/file_services_win.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw::resources {
extern const std::span<const unsigned char> kWindowDescriptions;
}

namespace sw::app {
namespace {

void Trace(const std::string& what) { OutputDebugStringA(("Stripewright: " + what + "\n").c_str()); }

void EndProgramAtExit() { EndProgram(); }

}  // namespace

void EndProgram() {
  ReleaseProgramTexts();
  ReleaseShadowTemplates();
}

int RunProgram() {
  // The runtime's own start-up: the program's folder and file name, and that folder as current directory.
  if (!InitProgramDirectory()) Trace("the program's own path cannot be read");
  RuntimeStart start = WindowRuntime::Create(resources::kWindowDescriptions, HandlerTable(), ShortcutTable());
  if (!start.ok()) {
    // The descriptions are built into the program: this is a broken build, not a user's problem.
    Trace(start.message());
    return 1;
  }
  WindowRuntime& runtime = *start.value();
  // Program-wide state: the texts start empty; the shadow's template holders are empty until first used.
  TipsMessage().clear();
  SavedPath().clear();
  FullSizeBarcode().clear();
  GeneratedContent().clear();
  static const bool end_registered = std::atexit(EndProgramAtExit) == 0;
  if (!end_registered) Trace("the end-of-program routine cannot be registered");

  StartGdiplus();  // once; never shut down
  const LoadResult loaded = runtime.LoadWindow(layout::MainWindow::kId);
  if (!loaded.ok()) {
    Trace(loaded.message());
    return 1;
  }
  const int exit_code = runtime.RunUntilClosed(layout::MainWindow::kId);
  // A loop ended by WM_QUIT leaves MainWindow to the runtime's end, whose destroyed handler opens the web
  // page: the runtime ends first, so that the page opens in the apartment kept for it, which ends next.
  start.value().reset();
  EndShellServices();
  return exit_code;
}

}  // namespace sw::app

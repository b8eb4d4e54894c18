#include "shadow/fatal_error_win.h"

#include <windows.h>

#include <string>

#include "shadow/binding_messages.h"

namespace sw {
namespace {

void ShowMessageBox(const char* caption, const char* message) {
  MessageBoxA(nullptr, message, caption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void EndProcess(unsigned exit_code) { ExitProcess(exit_code); }

FatalErrorHooks g_hooks{ShowMessageBox, EndProcess};

}  // namespace

FatalErrorHooks DefaultFatalErrorHooks() { return {ShowMessageBox, EndProcess}; }

FatalErrorHooks SetFatalErrorHooks(FatalErrorHooks hooks) {
  const FatalErrorHooks previous = g_hooks;
  g_hooks = hooks;
  return previous;
}

void ReportFatalError(std::string_view message) {
  const std::string caption{kRuntimeErrorCaption};
  const std::string text{message};
  g_hooks.show(caption.c_str(), text.c_str());
  g_hooks.end(kFatalExitCode);
}

}  // namespace sw

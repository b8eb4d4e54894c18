// The real Stripewright.exe in a process of its own, started from its folder as a user starts it and ended
// with the test (not by its close button: no web page opens).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/handles_win.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw::testing {

class StartedProgram {
 public:
  explicit StartedProgram(const std::wstring& exe) {
    const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                       &info)) {
      process_.reset(info.hProcess);
      ScopedFile thread(info.hThread);  // kernel handles, closed as a file's is
      id_ = info.dwProcessId;
    }
  }
  ~StartedProgram() {
    if (!process_) return;
    TerminateProcess(process_.get(), 0);
    WaitForSingleObject(process_.get(), 5000);
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  bool started() const { return static_cast<bool>(process_); }
  bool running() const { return started() && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
  // Its first top-level window of the runtime's class that `fits`, waited for up to 20 s while it runs;
  // nullptr if none.
  HWND WaitForWindow(std::function<bool(HWND)> fits) const {
    for (int tries = 0; tries < 400 && running(); ++tries) {
      Search search{id_, fits, nullptr};
      EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
      if (search.found != nullptr) return search.found;
      Sleep(50);
    }
    return nullptr;
  }

 private:
  struct Search {
    DWORD process;
    const std::function<bool(HWND)>& fits;
    HWND found;
  };
  static BOOL CALLBACK Visit(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (process != search->process || _wcsicmp(name, kWindowClass) != 0 || !search->fits(window)) return TRUE;
    search->found = window;
    return FALSE;
  }

  ScopedFile process_;
  DWORD id_ = 0;
};

}  // namespace sw::testing

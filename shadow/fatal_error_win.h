// The one fatal path of the program: a system function that cannot be bound. A system message box
// tells the run-time error, then the process ends.
#pragma once

#include <string_view>

namespace sw {

inline constexpr unsigned kFatalExitCode = 1;

// Shows `message` under the run-time error caption, then ends the process with kFatalExitCode.
// Returns only when the hooks have been replaced.
void ReportFatalError(std::string_view message);

// The two steps of a fatal report. Tests replace them to read the message and to see that the process
// would end, without a blocking box; the defaults are MessageBoxA and ExitProcess.
struct FatalErrorHooks {
  void (*show)(const char* caption, const char* message);
  void (*end)(unsigned exit_code);
};
FatalErrorHooks DefaultFatalErrorHooks();
// Returns the hooks that were in force.
FatalErrorHooks SetFatalErrorHooks(FatalErrorHooks hooks);

}  // namespace sw

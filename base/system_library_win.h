// Libraries that are not among the system's known ones come from the system folder only, loaded at run
// time: a bare name, imported or loaded, is looked for beside the program first, where a planted copy
// (a Downloads folder) would be loaded and run in the system's place.
#pragma once

#include <windows.h>

#include <optional>

namespace sw {

// kSearchFlag asks the loader to search the system folder alone; kFullPath loads the system folder's file
// by its whole path, for systems whose loader lacks that flag. A name with ":" is a path, loaded as
// written. The one-argument form picks what the system offers, unless a test has chosen for it.
enum class SystemLibrarySearch { kSearchFlag, kFullPath };
HMODULE LoadSystemLibrary(const char* name, SystemLibrarySearch search);
HMODULE LoadSystemLibrary(const char* name);
// For tests: the way the one-argument form loads from now on; none gives the choice back to the system.
// kFullPath runs, on a system that has the flag, what one without it runs.
void ChooseSystemLibrarySearch(std::optional<SystemLibrarySearch> search);

// `function` of the system folder's `library`, which then stays loaded for the rest of the run; null
// where either is missing. `Function` is the export's type: decltype(&::Name) names it without importing
// it.
void (*SystemExport(const char* library, const char* function))();
template <typename Function>
Function SystemFunction(const char* library, const char* function) {
  return reinterpret_cast<Function>(SystemExport(library, function));
}

}  // namespace sw

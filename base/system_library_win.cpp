#include "base/system_library_win.h"

#include <cstring>
#include <string>

namespace sw {
namespace {

std::optional<SystemLibrarySearch> g_chosen_search;  // by a test; otherwise what the system offers

// Systems without the search flags (before the update that brought AddDllDirectory) refuse them.
bool HasSystemDirectorySearch() {
  const HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
  return kernel32 != nullptr && GetProcAddress(kernel32, "AddDllDirectory") != nullptr;
}

}  // namespace

HMODULE LoadSystemLibrary(const char* name, SystemLibrarySearch search) {
  // A path is loaded as written; it names its folder itself.
  if (std::strchr(name, ':') != nullptr) return LoadLibraryA(name);
  if (search == SystemLibrarySearch::kSearchFlag)
    return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::string path = std::string(folder, length) + "\\" + name;
  // The library's own imports are then looked for in its folder first too.
  return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE LoadSystemLibrary(const char* name) {
  static const SystemLibrarySearch offered =
      HasSystemDirectorySearch() ? SystemLibrarySearch::kSearchFlag : SystemLibrarySearch::kFullPath;
  return LoadSystemLibrary(name, g_chosen_search.value_or(offered));
}

void ChooseSystemLibrarySearch(std::optional<SystemLibrarySearch> search) { g_chosen_search = search; }

void (*SystemExport(const char* library, const char* function))() {
  const HMODULE loaded = LoadSystemLibrary(library);
  if (loaded == nullptr) return nullptr;
  const FARPROC found = GetProcAddress(loaded, function);
  if (found == nullptr) {
    FreeLibrary(loaded);
    return nullptr;
  }
  return reinterpret_cast<void (*)()>(found);  // the library stays loaded: its code is in use
}

}  // namespace sw

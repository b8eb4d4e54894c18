// A planted system library for the system-library test (built as gdiplus.dll, ole32.dll and others): put
// in the test's own folder, where a bare-name load would find it before the system's copy. Loading it
// leaves a marker file beside it, decoy-<name>-loaded, then fails.
#include <windows.h>

#include <cwchar>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t path[MAX_PATH + 32] = {};
  const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return FALSE;
  wchar_t* name = std::wcsrchr(path, L'\\');
  name = name != nullptr ? name + 1 : path;
  wchar_t* extension = std::wcsrchr(name, L'.');
  if (extension != nullptr) *extension = L'\0';
  wchar_t library[MAX_PATH] = {};
  std::wcscpy(library, name);
  std::wcscpy(name, L"decoy-");  // the path has room: the name is at most 13 characters longer
  std::wcscat(name, library);
  std::wcscat(name, L"-loaded");
  const HANDLE marker =
      CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  return FALSE;  // never usable: a program that loaded it fails to bind
}

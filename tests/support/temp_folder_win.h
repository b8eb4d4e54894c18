// A fresh folder of a test's own under the system's temporary folder, removed with everything in it when
// its owner goes. Paths are wide, so that folders may be named with letters that GBK does not have.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace sw::testing {

class TempFolder {
 public:
  TempFolder() {
    wchar_t temp[MAX_PATH];
    if (GetTempPathW(MAX_PATH, temp) == 0) return;
    static unsigned count = 0;
    const std::wstring path = std::wstring(temp) + L"sw-test-" + std::to_wstring(GetCurrentProcessId()) +
                              L"-" + std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++count);
    if (CreateDirectoryW(path.c_str(), nullptr)) path_ = path;
  }
  ~TempFolder() {
    if (!path_.empty()) RemoveTree(L"\\\\?\\" + path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Empty when the folder could not be made.
  const std::wstring& path() const { return path_; }

  // Every name in a folder, "." and ".." left out.
  static std::vector<std::wstring> Names(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }

 private:
  static void RemoveTree(const std::wstring& folder) {
    for (const std::wstring& name : Names(folder)) {
      const std::wstring path = folder + L"\\" + name;
      if (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    }
    RemoveDirectoryW(folder.c_str());
  }

  std::wstring path_;
};

}  // namespace sw::testing

// The call table's libraries come from the system folder only: a gdiplus.dll planted beside this test
// program (the decoy, which leaves a marker file when loaded) is never loaded, the system's one is.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "shadow/fatal_error_win.h"
#include "shadow/gdiplus_startup_win.h"
#include "shadow/system_call_table_win.h"
#include "tests/support/case_table.h"

namespace sw {
namespace {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  const std::wstring module(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  return module.substr(0, module.rfind(L'\\'));
}

std::wstring MarkerPath() { return ProgramFolder() + L"\\decoy-gdiplus-loaded"; }
bool DecoyWasLoaded() { return GetFileAttributesW(MarkerPath().c_str()) != INVALID_FILE_ATTRIBUTES; }

// The folder of a loaded module, compared without regard to letter case.
std::wstring FolderOf(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  std::wstring file(path, GetModuleFileNameW(module, path, MAX_PATH));
  file.resize(file.rfind(L'\\') == std::wstring::npos ? 0 : file.rfind(L'\\'));
  CharLowerW(file.data());
  return file;
}

std::wstring SystemFolder() {
  wchar_t path[MAX_PATH] = {};
  std::wstring folder(path, GetSystemDirectoryW(path, MAX_PATH));
  CharLowerW(folder.data());
  return folder;
}

int g_fatal_reports = 0;

class SystemLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(GetFileAttributesW((ProgramFolder() + L"\\gdiplus.dll").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the decoy must lie beside the test program";
    DeleteFileW(MarkerPath().c_str());
    g_fatal_reports = 0;
    previous_ = SetFatalErrorHooks({[](const char*, const char*) { ++g_fatal_reports; }, [](unsigned) {}});
  }
  void TearDown() override {
    SetFatalErrorHooks(previous_);
    DeleteFileW(MarkerPath().c_str());
  }
  FatalErrorHooks previous_{};
};

// First in this program: nothing has loaded the graphics library yet, so a bare name would be searched for.
TEST_F(SystemLibrary, GdiplusStartupBindsTheSystemsLibraryNotThePlantedOne) {
  ASSERT_EQ(GetModuleHandleA("gdiplus.dll"), nullptr);
  StartGdiplus();
  EXPECT_FALSE(DecoyWasLoaded());
  EXPECT_EQ(g_fatal_reports, 0);
  ASSERT_TRUE(IsSystemCallBound(sysrow::kGdiplusStartup));
  EXPECT_EQ(FolderOf(SystemCallLibrary(sysrow::kGdiplusStartup)), SystemFolder());
  EXPECT_NE(GdiplusToken(), 0U) << "the real library started";
}

TEST_F(SystemLibrary, BothWaysOfLoadingFindOnlyTheSystemFolder) {
  const struct {
    const char* name;
    SystemLibrarySearch search;
    const char* reason;
  } cases[] = {
      {"gdiplus.dll", SystemLibrarySearch::kSearchFlag, "the loader searches the system folder alone"},
      {"GdiPlus.dll", SystemLibrarySearch::kFullPath, "the system folder's file by its whole path"},
      {"user32", SystemLibrarySearch::kFullPath, "a name without .dll still gets it"},
      {"Mpr.dll", SystemLibrarySearch::kSearchFlag, "a library that no one has loaded yet"},
      {"Mpr.dll", SystemLibrarySearch::kFullPath, "the same by its whole path"},
  };
  testing::ForEachRow(cases, [](const auto& c) {
    const HMODULE library = LoadSystemLibrary(c.name, c.search);
    ASSERT_NE(library, nullptr) << "(" << GetLastError() << ")";
    EXPECT_EQ(FolderOf(library), SystemFolder());
    EXPECT_FALSE(DecoyWasLoaded());
    FreeLibrary(library);
  });
}

// Last: the two tests above prove something only if the decoy really runs when it is loaded.
TEST_F(SystemLibrary, TheDecoyLoadedByItsPathLeavesItsMarkerAndFails) {
  EXPECT_EQ(LoadLibraryW((ProgramFolder() + L"\\gdiplus.dll").c_str()), nullptr);
  EXPECT_TRUE(DecoyWasLoaded()) << "the loader put another library in the decoy's place";
}

}  // namespace
}  // namespace sw

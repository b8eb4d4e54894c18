// The call table's libraries come from the system folder only: system libraries planted beside this test
// program (decoys, which leave a marker file when loaded) are never loaded, the system's are. Both ways of
// loading are tried: the search flag that this system offers, and the full path that systems without the
// flag get, the latter in a fresh process of this program, before anything has loaded the libraries.
#include "base/system_library_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "base/handles_win.h"
#include "shadow/fatal_error_win.h"
#include "shadow/gdiplus_startup_win.h"
#include "shadow/system_call_table_win.h"
#include "tests/support/case_table.h"
#include "tests/support/started_program_win.h"

namespace sw {
namespace {

// The libraries that a process using the table has not loaded before it binds them, each with a decoy
// beside this program and the program's copy of Stripewright.exe: gdiplus and ole32 (named by rows), mpr
// and shell32 (reached only by the search for an export that no earlier library has), comctl32 and oleacc
// (bound by the window units). kernel32 is in every process, and a program using the table imports user32
// (for the fatal box) and with it gdi32: a bare name finds those loaded already, so decoys of them could
// catch nothing. Nor could one of advapi32, which Wine has loaded by then too.
constexpr const char* kDecoys[] = {"gdiplus", "ole32", "mpr", "shell32", "comctl32", "oleacc"};
constexpr const char* kLoadedBeforeBinding[] = {"kernel32", "user32", "gdi32"};

// The argument that makes this program the fresh process of the full-path test.
constexpr std::string_view kFullPathChild = "--bind-every-row-by-full-path";

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH] = {};
  return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
}

std::wstring ProgramFolder() {
  const std::wstring program = ProgramPath();
  return program.substr(0, program.rfind(L'\\'));
}

std::wstring Wide(const char* ascii) {
  return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii));
}
std::wstring DecoyPath(const char* name) { return ProgramFolder() + L"\\" + Wide(name) + L".dll"; }
// The program's copy has a folder of its own below, beside decoys of those that are no known DLLs.
std::wstring MarkerPath(const char* name, const wchar_t* folder = L"") {
  return ProgramFolder() + folder + L"\\decoy-" + Wide(name) + L"-loaded";
}

// The decoys that have run, as "gdiplus ole32 "; empty when none has.
std::string LoadedDecoys() {
  std::string loaded;
  for (const char* name : kDecoys) {
    for (const wchar_t* folder : {L"", L"\\program"}) {
      if (GetFileAttributesW(MarkerPath(name, folder).c_str()) != INVALID_FILE_ATTRIBUTES)
        loaded += std::string(name) + " ";
    }
  }
  return loaded;
}

void DeleteMarkers() {
  for (const char* name : kDecoys) {
    for (const wchar_t* folder : {L"", L"\\program"}) DeleteFileW(MarkerPath(name, folder).c_str());
  }
}

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

// The fresh process: every row bound by the full-path way, as on a system without the search flag, and
// every library that the search over the six system libraries loads. Prints each fault; returns their
// count as the exit code.
int BindEveryRowByFullPath() {
  int faults = 0;
  auto fault = [&](const std::string& what) {
    std::printf("full-path process: %s\n", what.c_str());
    ++faults;
  };
  for (const char* name : kDecoys) {
    if (GetModuleHandleA(name) != nullptr) fault(std::string(name) + " was loaded before binding");
  }
  for (const char* name : kLoadedBeforeBinding) {
    if (GetModuleHandleA(name) == nullptr) fault(std::string(name) + " was not loaded yet: it needs a decoy");
  }
  SetFatalErrorHooks({[](const char*, const char* message) {
                        std::printf("full-path process: fatal report: %s\n", message);
                        ++g_fatal_reports;
                      },
                      [](unsigned) {}});
  ChooseSystemLibrarySearch(SystemLibrarySearch::kFullPath);
  for (std::size_t row = 0; row < kSystemCallRowCount; ++row) {
    const std::string what = "row " + std::to_string(row) + " (" + kSystemCallNames[row].function + ")";
    if (BindSystemCall(row) == nullptr) {
      fault(what + " is not bound");
    } else if (FolderOf(SystemCallLibrary(row)) != SystemFolder()) {
      fault(what + " comes from outside the system folder");
    }
  }
  if (LookUpExport("", "SwNoSuchExport").address != nullptr) fault("an export that no library has was found");
  if (g_fatal_reports != 0) fault(std::to_string(g_fatal_reports) + " fatal reports");
  if (const std::string loaded = LoadedDecoys(); !loaded.empty()) fault("decoys loaded: " + loaded);
  std::fflush(stdout);
  return faults;
}

class SystemLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kDecoys) {
      ASSERT_NE(GetFileAttributesW(DecoyPath(name).c_str()), INVALID_FILE_ATTRIBUTES)
          << "the " << name << " decoy must lie beside the test program";
    }
    DeleteMarkers();
    g_fatal_reports = 0;
    previous_ = SetFatalErrorHooks({[](const char*, const char*) { ++g_fatal_reports; }, [](unsigned) {}});
  }
  void TearDown() override {
    SetFatalErrorHooks(previous_);
    DeleteMarkers();
  }
  FatalErrorHooks previous_{};
};

// First in this program: nothing has loaded the graphics library yet, so a bare name would be searched for.
TEST_F(SystemLibrary, GdiplusStartupBindsTheSystemsLibraryNotThePlantedOne) {
  ASSERT_EQ(GetModuleHandleA("gdiplus.dll"), nullptr);
  StartGdiplus();
  EXPECT_EQ(LoadedDecoys(), "");
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
    EXPECT_EQ(LoadedDecoys(), "");
    FreeLibrary(library);
  });
}

// In this process the libraries are loaded by now, and a bare name would find them wherever they came
// from; a fresh one has loaded none of the decoyed ones.
TEST_F(SystemLibrary, TheFullPathWayFindsOnlyTheSystemFolderInAFreshProcess) {
  std::wstring command = L"\"" + ProgramPath() + L"\" " + Wide(kFullPathChild.data());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;  // its report goes where this program's output goes
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION started{};
  std::fflush(stdout);
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                             ProgramFolder().c_str(), &startup, &started))
      << "(" << GetLastError() << ")";
  const ScopedFile process(started.hProcess), thread(started.hThread);  // CloseHandle, as for files
  ASSERT_EQ(WaitForSingleObject(process.get(), 60'000), WAIT_OBJECT_0);
  DWORD faults = 0;
  ASSERT_TRUE(GetExitCodeProcess(process.get(), &faults));
  EXPECT_EQ(faults, 0U) << "the fresh process printed them above";
  EXPECT_EQ(LoadedDecoys(), "");
}

// The program, started beside the decoys, imports only libraries that the system takes from its own folder
// whatever lies beside a program, and binds the others there: the window units' at start-up, Active
// Accessibility's once a reader asks.
TEST_F(SystemLibrary, TheProgramStartedBesideTheDecoysLoadsNone) {
  const testing::StartedProgram program(ProgramFolder() + L"\\program\\Stripewright.exe");
  ASSERT_TRUE(program.started()) << "(" << GetLastError() << ")";
  const HWND main = program.WaitForWindow([](HWND window) { return IsWindowVisible(window) != FALSE; });
  ASSERT_NE(main, nullptr) << "it never showed its window; decoys loaded: " << LoadedDecoys();
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(main, WM_GETOBJECT, 0, OBJID_CLIENT, SMTO_ABORTIFHUNG, 10'000, &answer);
  EXPECT_GT(static_cast<LRESULT>(answer), 0) << "a reader's question got no object";
  EXPECT_EQ(LoadedDecoys(), "");
}

// Last: the tests above prove something only if each decoy really runs when it is loaded.
TEST_F(SystemLibrary, EachDecoyLoadedByItsPathLeavesItsMarkerAndFails) {
  testing::ForEachRow(kDecoys, [](const char* name) {
    EXPECT_EQ(LoadLibraryW(DecoyPath(name).c_str()), nullptr);
    EXPECT_EQ(LoadedDecoys(), std::string(name) + " ")
        << "the loader put another library in the decoy's place";
    DeleteMarkers();
  });
}

}  // namespace
}  // namespace sw

// This program is also the fresh process of the full-path test, started with its argument.
int main(int argc, char** argv) {
  if (argc == 2 && argv[1] == sw::kFullPathChild) return sw::BindEveryRowByFullPath();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

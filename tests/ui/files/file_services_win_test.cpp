#include "ui/files/file_services_win.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "base/text_codepage_win.h"
#include "tests/support/case_table.h"
#include "tests/support/temp_folder_win.h"

namespace sw {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

// A fresh folder of its own for each test, removed afterwards with everything in it.
class FileServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(folder_.empty()); }

  std::string Path(std::string_view name_gbk) const {
    return GbkFromWide(folder_) + "\\" + std::string(name_gbk);
  }

  static Bytes Read(const std::string& path_gbk) {
    HANDLE file = CreateFileW(WideFromGbk(path_gbk).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    Bytes bytes(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
  }
  static bool Exists(const std::string& path_gbk) {
    return GetFileAttributesW(WideFromGbk(path_gbk).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  // Every name in the folder: proves that no temporary file stays behind.
  std::vector<std::wstring> Names() const { return testing::TempFolder::Names(folder_); }

  testing::TempFolder temp_;
  const std::wstring& folder_ = temp_.path();
};

TEST_F(FileServicesTest, WritesBuffersInOrderAndReplacesWholly) {
  const std::string path = Path("out.bmp");
  const Bytes first = BytesOf("first-"), empty, second = BytesOf("second");
  ASSERT_TRUE(WriteBytesToFile(path, {first, empty, second}));
  EXPECT_EQ(Read(path), BytesOf("first-second"));

  // A shorter buffer leaves no trace of the old, longer file.
  ASSERT_TRUE(WriteBytesToFile(path, {BytesOf("xy")}));
  EXPECT_EQ(Read(path), BytesOf("xy"));
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"out.bmp"});
}

TEST_F(FileServicesTest, EmptyBufferMakesEmptyFile) {
  const std::string path = Path("empty.bmp");
  ASSERT_TRUE(WriteBytesToFile(path, {BytesOf("old")}));
  ASSERT_TRUE(WriteBytesToFile(path, {Bytes{}}));
  EXPECT_TRUE(Exists(path));
  EXPECT_TRUE(Read(path).empty());
}

TEST_F(FileServicesTest, EmptyBufferCreatesANewEmptyFile) {
  // Nothing to write is still a file to create, not only an old one to empty.
  const std::string path = Path("new-empty.bmp");
  ASSERT_FALSE(Exists(path));
  ASSERT_TRUE(WriteBytesToFile(path, {Bytes{}}));
  EXPECT_TRUE(Exists(path));
  EXPECT_TRUE(Read(path).empty());
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"new-empty.bmp"});
}

TEST_F(FileServicesTest, ANameOfTheLongestLengthIsWritten) {
  // 255 characters, the most a name may have: the temporary name beside it must not be longer.
  const std::string name = "Bar_Code_" + std::string(242, 'x') + ".bmp";
  ASSERT_EQ(name.size(), 255u);
  ASSERT_TRUE(WriteBytesToFile(Path(name), {BytesOf("first")}));
  ASSERT_TRUE(WriteBytesToFile(Path(name), {BytesOf("second")})) << "and replaced";
  EXPECT_EQ(Read("\\\\?\\" + Path(name)), BytesOf("second"));
  EXPECT_EQ(Names(), std::vector<std::wstring>{std::wstring(name.begin(), name.end())})
      << "no temporary file left";
}

TEST_F(FileServicesTest, FailuresWriteNothingAndKeepTheOldFile) {
  EXPECT_FALSE(WriteBytesToFile("", {BytesOf("x")})) << "empty path";

  const std::string missing = Path("no-such-folder\\out.bmp");
  EXPECT_FALSE(WriteBytesToFile(missing, {BytesOf("x")})) << "folder does not exist";
  EXPECT_FALSE(Exists(Path("no-such-folder")));

  EXPECT_FALSE(WriteBytesToFile(Path("bad?name.bmp"), {BytesOf("x")})) << "a character no file name holds";

  // Another holder opened the file without sharing: the write fails and the old bytes stay.
  const std::string held = Path("held.bmp");
  ASSERT_TRUE(WriteBytesToFile(held, {BytesOf("old content")}));
  HANDLE holder = CreateFileW(WideFromGbk(held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteBytesToFile(held, {BytesOf("new")}));
  CloseHandle(holder);
  EXPECT_EQ(Read(held), BytesOf("old content"));
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"held.bmp"}) << "no temporary file left behind";
}

TEST_F(FileServicesTest, FailedWriteMidwayKeepsTheOldFile) {
  const std::string path = Path("kept.bmp");
  ASSERT_TRUE(WriteBytesToFile(path, {BytesOf("old content")}));
  // The second buffer points nowhere: the system refuses to read it, so the write fails after the first
  // buffer went out. The old file must survive that whole.
  const std::span<const std::uint8_t> unreadable(reinterpret_cast<const std::uint8_t*>(16), 4096);
  EXPECT_FALSE(WriteBytesToFile(path, {BytesOf("new"), unreadable}));
  EXPECT_EQ(Read(path), BytesOf("old content"));
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"kept.bmp"});
}

TEST_F(FileServicesTest, ChineseNamesBecomeTheirOwnCharacters) {
  const std::string name = "Bar_Code_\xCC\xF5\xC2\xEB.bmp";  // 条码 in GBK
  ASSERT_TRUE(WriteBytesToFile(Path(name), {BytesOf("bmp")}));
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"Bar_Code_\u6761\u7801.bmp"});
}

TEST_F(FileServicesTest, PathsLongerThanMaxPath) {
  std::wstring deep = folder_;
  while (deep.size() < 300) {
    deep += L"\\" + std::wstring(40, L'd');
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
  }
  const std::string path = GbkFromWide(deep) + "\\Bar_Code_1.bmp";
  ASSERT_GT(path.size(), 259u);
  ASSERT_TRUE(WriteBytesToFile(path, {BytesOf("deep")}));
  EXPECT_EQ(Read("\\\\?\\" + path), BytesOf("deep"));
}

TEST(ProgramDirectory, IsTheExecutablesFolderAndTheCurrentDirectory) {
  ASSERT_TRUE(InitProgramDirectory());
  wchar_t module[MAX_PATH];
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  const std::wstring path = module;
  const std::wstring folder = path.substr(0, path.rfind(L'\\'));
  EXPECT_EQ(WideProgramDirectory(), folder);
  EXPECT_EQ(ProgramDirectory(), GbkFromWide(folder));
  EXPECT_EQ(ProgramFileName(), GbkFromWide(path.substr(path.rfind(L'\\') + 1)));
  EXPECT_NE(ProgramDirectory().back(), '\\');

  wchar_t current[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, current);
  std::wstring current_folder = current;
  if (current_folder.size() > 3 && current_folder.back() == L'\\') current_folder.pop_back();
  EXPECT_EQ(current_folder, folder);
}

std::vector<std::string> opened;
void RecordOpen(std::string_view url) { opened.emplace_back(url); }

TEST(OpenWebPage, GoesThroughTheReplaceableOpener) {
  const WebPageOpener previous = SetWebPageOpener(RecordOpen);
  OpenWebPage("https://example.invalid/#tool");
  SetWebPageOpener(previous);
  EXPECT_EQ(opened, std::vector<std::string>{"https://example.invalid/#tool"});
}

// What a thread's COM apartment is, as a probe for a single-threaded one answers: S_OK none (the probe's
// own is undone again), S_FALSE single-threaded, RPC_E_CHANGED_MODE multi-threaded.
HRESULT ProbeApartment() {
  const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (SUCCEEDED(result)) CoUninitialize();
  return result;
}

HRESULT apartment_at_opening = E_FAIL;
void ProbeAtOpening(std::string_view) { apartment_at_opening = ProbeApartment(); }

TEST(OpenWebPage, TheShellIsCalledInASingleThreadedApartmentAndTheThreadLeftAsItWas) {
  constexpr DWORD kNone = ~0u;
  const struct {
    DWORD before;         // the thread's own apartment, or kNone
    bool open_after_end;  // a page opened once more after EndShellServices (a window destroyed late)
    HRESULT at_opening;   // what the opener finds, at the last opening
    HRESULT after_end;    // after EndShellServices, before the thread ends its own apartment
    const char* reason;
  } cases[] = {
      {kNone, false, S_FALSE, S_OK,
       "a thread without COM gets a single-threaded apartment, and gives it back"},
      {COINIT_APARTMENTTHREADED, false, S_FALSE, S_FALSE, "a single-threaded one stays, its count as it was"},
      {COINIT_MULTITHREADED, false, RPC_E_CHANGED_MODE, RPC_E_CHANGED_MODE,
       "a multi-threaded one is not the shell's to end"},
      {kNone, true, S_FALSE, S_OK, "a page opened after the end has an apartment while it opens, no longer"},
      {COINIT_APARTMENTTHREADED, true, S_FALSE, S_FALSE, "nor does it leave a count on the thread's own"},
  };
  const WebPageOpener previous = SetWebPageOpener(ProbeAtOpening);
  testing::ForEachRow(cases, [&](const auto& c) {
    HRESULT after_end = E_FAIL, at_end_of_thread = E_FAIL;
    std::thread([&] {
      if (c.before != kNone) CoInitializeEx(nullptr, c.before);
      OpenWebPage("https://example.invalid/#tool");
      OpenWebPage("https://example.invalid/#tool");  // the apartment is started once a thread
      EndShellServices();
      if (c.open_after_end) OpenWebPage("https://example.invalid/#tool");
      after_end = ProbeApartment();
      if (c.before != kNone) CoUninitialize();
      at_end_of_thread = ProbeApartment();
    }).join();
    EXPECT_EQ(apartment_at_opening, c.at_opening);
    EXPECT_EQ(after_end, c.after_end);
    EXPECT_EQ(at_end_of_thread, S_OK) << "nothing left behind";
  });
  SetWebPageOpener(previous);
}

}  // namespace
}  // namespace sw

#include "ui/files/file_services_win.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/handles_win.h"
#include "base/text_codepage_win.h"

namespace sw {
namespace {

std::wstring program_directory;
std::wstring program_file_name;

// Paths past MAX_PATH need the extended-length form, or the file functions refuse them.
std::wstring ExtendedPath(const std::wstring& path) {
  if (path.size() < MAX_PATH - 12 || path.starts_with(L"\\\\?\\")) return path;
  if (path.size() > 2 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) {
    std::wstring extended = L"\\\\?\\" + path;
    for (wchar_t& c : extended)
      if (c == L'/') c = L'\\';
    return extended;
  }
  if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
  return path;
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> buffer) {
  while (!buffer.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, buffer.data(), chunk, &written, nullptr) || written == 0) return false;
    buffer = buffer.subspan(written);
  }
  return true;
}

// The folder part of a path, with its separator ("C:" for a drive-relative name; empty for a bare one).
std::wstring FolderPartOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator != std::wstring::npos) return path.substr(0, separator + 1);
  if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2);
  return {};
}

// A short name in the target's folder that nothing else uses: made with CREATE_NEW, so it is never
// someone's file. Short, because a name built on the target's own would fail where the target's name
// is near the 255 characters a name may have.
HANDLE CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary) {
  // Numbers from a start of this process's own, so that leftovers of another run are rarely met.
  static unsigned counter = (GetCurrentProcessId() << 12) ^ GetTickCount();
  const std::wstring folder = FolderPartOf(target);
  for (int attempt = 0; attempt < 100; ++attempt) {
    wchar_t name[24];
    wsprintfW(name, L"~sw%x.tmp", ++counter);
    temporary = folder + name;
    HANDLE file = CreateFileW(ExtendedPath(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

void ShellOpen(std::string_view url) {
  const HWND owner = FindWindowExW(nullptr, nullptr, nullptr, L"Microsoft Internet Explorer");
  ShellExecuteW(owner, L"open", WideFromGbk(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

WebPageOpener web_page_opener = ShellOpen;

// The shell may hand an address to COM components, which want a single-threaded apartment on the calling
// thread. Started once a thread and kept until EndShellServices; a thread that had an apartment of the
// other kind keeps it as it is. A page opened after the end (by a window destroyed once its loop is over)
// gets one for that call only: nothing would end one started then.
enum class Apartment { kNotTried, kOurs, kNotOurs, kEnded };
thread_local Apartment apartment = Apartment::kNotTried;

// True when this call took a reference on the thread's apartment, which CoUninitialize gives back.
bool EnterApartment() {
  const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  return result == S_OK || result == S_FALSE;  // S_FALSE: there was one already, and it counts this call
}

}  // namespace

bool InitProgramDirectory() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return false;
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    if (buffer.size() >= 32768) return false;
    buffer.resize(buffer.size() * 2);  // truncated: read the whole path, never a cut one
  }
  const std::wstring path(buffer.begin(), buffer.end());
  const std::size_t slash = path.rfind(L'\\');
  program_directory = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
  program_file_name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  if (!program_directory.empty()) SetCurrentDirectoryW(ExtendedPath(program_directory + L"\\").c_str());
  return true;
}

std::wstring WideProgramDirectory(std::string_view then) { return program_directory + WideFromGbk(then); }
std::string ProgramDirectory() { return GbkFromWide(program_directory); }
std::string ProgramFileName() { return GbkFromWide(program_file_name); }

bool WriteBytesToFile(std::string_view path, std::initializer_list<std::span<const std::uint8_t>> buffers) {
  return !path.empty() && WriteBytesToFile(std::wstring_view(WideFromGbk(path)), buffers);
}

bool WriteBytesToFile(std::wstring_view path, std::initializer_list<std::span<const std::uint8_t>> buffers) {
  if (path.empty()) return false;
  const std::wstring target(path);

  std::wstring temporary;
  ScopedFile file = OwnFile(CreateTemporaryBeside(target, temporary));
  if (!file) return false;
  bool written = true;
  for (std::span<const std::uint8_t> buffer : buffers) {
    if (!WriteAll(file.get(), buffer)) {
      written = false;
      break;
    }
  }
  written = CloseHandle(file.release()) != FALSE && written;  // a failed close may have lost the last bytes
  if (written && MoveFileExW(ExtendedPath(temporary).c_str(), ExtendedPath(target).c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(ExtendedPath(temporary).c_str());
  return false;
}

void OpenWebPage(std::string_view url) {
  if (apartment == Apartment::kNotTried) {
    apartment = EnterApartment() ? Apartment::kOurs : Apartment::kNotOurs;
  }
  if (apartment != Apartment::kEnded) {
    web_page_opener(url);
    return;
  }
  const bool entered = EnterApartment();
  web_page_opener(url);
  if (entered) CoUninitialize();
}

void EndShellServices() {
  if (apartment == Apartment::kOurs) CoUninitialize();
  apartment = Apartment::kEnded;
}

WebPageOpener SetWebPageOpener(WebPageOpener opener) {
  const WebPageOpener previous = web_page_opener;
  web_page_opener = opener != nullptr ? opener : ShellOpen;
  return previous;
}

}  // namespace sw

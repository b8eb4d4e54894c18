#include "ui/files/save_dialog_win.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "base/system_library_win.h"

namespace sw {
namespace {

// Room for a path of any length the file system allows.
constexpr std::size_t kPathRoom = 32768;

// "description\0*.ext\0" a type, and one more terminator after the last.
std::wstring FilterOf(const std::vector<SaveFileType>& types) {
  std::wstring filter;
  for (const SaveFileType& type : types) {
    filter += type.description;
    filter += L'\0';
    filter += L"*." + type.extension;
    filter += L'\0';
  }
  filter += L'\0';
  return filter;
}

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
  return text;
}

// The type whose extension the name ends with, or the chosen one.
std::size_t TypeOfPath(const std::wstring& path, std::size_t name_offset,
                       const std::vector<SaveFileType>& types, std::size_t chosen) {
  const std::size_t dot = path.rfind(L'.');
  if (dot == std::wstring::npos || dot < name_offset) return chosen;
  const std::wstring extension = Lower(path.substr(dot + 1));
  for (std::size_t i = 0; i < types.size(); ++i) {
    if (Lower(types[i].extension) == extension) return i;
  }
  return chosen;
}

}  // namespace

SaveDialogResult AskWhereToSave(const SaveDialogRequest& request) {
  if (request.types.empty()) return Failure<SaveDialogError>{SaveDialogError::kFailed, "no file types"};
  const std::wstring filter = FilterOf(request.types);
  // The folder goes into the file name, not lpstrInitialDir: from Windows 7 on, an initial folder equal
  // to the one a program passed the first time is replaced by the folder last chosen in any earlier run.
  std::wstring start = request.file_name;
  if (!request.folder.empty()) {
    start = request.folder + (request.folder.back() == L'\\' ? L"" : L"\\") + request.file_name;
  }
  std::vector<wchar_t> file(std::max(kPathRoom, start.size() + 1), L'\0');
  std::copy(start.begin(), start.end(), file.begin());

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = request.owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = request.title.c_str();
  // Without the dot, only the first three letters would be appended: all of ours have three.
  dialog.lpstrDefExt = request.types.front().extension.c_str();
  // The program's current directory is its own folder and stays so.
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  // Bound from the system folder: imported, the dialogs would load their own libraries (the common
  // controls) from the program's folder on some systems, a planted copy first.
  static const auto save_dialog =
      SystemFunction<decltype(&::GetSaveFileNameW)>("comdlg32.dll", "GetSaveFileNameW");
  static const auto dialog_error =
      SystemFunction<decltype(&::CommDlgExtendedError)>("comdlg32.dll", "CommDlgExtendedError");
  if (save_dialog == nullptr || dialog_error == nullptr) {
    return Failure<SaveDialogError>{SaveDialogError::kFailed, "the Save dialog is not available"};
  }
  if (!save_dialog(&dialog)) {
    const DWORD error = dialog_error();
    if (error == 0) return Failure<SaveDialogError>{SaveDialogError::kCancelled, "cancelled"};
    return Failure<SaveDialogError>{SaveDialogError::kFailed,
                                    "the Save dialog failed (" + std::to_string(error) + ")"};
  }

  SaveDialogChoice choice;
  choice.path = file.data();
  const std::size_t chosen =
      dialog.nFilterIndex >= 1 && dialog.nFilterIndex <= request.types.size() ? dialog.nFilterIndex - 1 : 0;
  // "x." would be written as "x": the name is made what the file will be called, then given its type.
  const std::size_t name_offset = std::min<std::size_t>(dialog.nFileOffset, choice.path.size());
  while (choice.path.size() > name_offset && (choice.path.back() == L'.' || choice.path.back() == L' ')) {
    choice.path.pop_back();
  }
  if (choice.path.find(L'.', name_offset) == std::wstring::npos) {
    choice.path += L"." + request.types[chosen].extension;
  }
  choice.type = TypeOfPath(choice.path, name_offset, request.types, chosen);
  return choice;
}

std::wstring PicturesFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) return {};
  return folder;
}

}  // namespace sw

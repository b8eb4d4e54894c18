// The system's Save dialog: a path chosen by the user, among file types, with the question before an
// existing file is replaced. Paths are wide, so that any folder can be chosen.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "base/result.h"

namespace sw {

struct SaveFileType {
  std::wstring description;  // "PNG picture (*.png)", as the type list shows it
  std::wstring extension;    // without the dot: L"png"
};

struct SaveDialogRequest {
  HWND owner = nullptr;  // disabled while the dialog is open
  std::wstring title;
  std::vector<SaveFileType> types;  // the first is chosen at first
  std::wstring folder;              // where the dialog opens; empty: where the system chooses
  std::wstring file_name;           // offered in the file-name box
};

struct SaveDialogChoice {
  std::wstring path;
  std::size_t type = 0;  // index into the request's types
};

enum class SaveDialogError {
  kCancelled,  // the user closed the dialog
  kFailed,     // the dialog failed (CommDlgExtendedError has why)
};
using SaveDialogResult = Result<SaveDialogChoice, SaveDialogError>;

// The path chosen. Trailing dots and spaces of the name, which Windows drops, are dropped; a name left
// without an extension gets the chosen type's; a name whose extension is one of the types' is of that
// type, whichever is chosen, so that a file's extension always tells what it holds.
SaveDialogResult AskWhereToSave(const SaveDialogRequest& request);

// The user's Pictures folder; empty where the system has none.
std::wstring PicturesFolder();

}  // namespace sw

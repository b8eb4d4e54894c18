#include "app/settings_window_win.h"

#include <array>
#include <string>

#include "app/app_texts.h"
#include "app/barcode_settings.h"
#include "app/barcode_symbol.h"
#include "app/layout_ids.h"
#include "app/program_state.h"
#include "app/settings_fields.h"
#include "app/sheet_names.h"
#include "base/text_codepage_win.h"
#include "shadow/shadow_window_win.h"

namespace sw::app {
namespace {

using layout::ErrorTipsWindow;
using layout::MainWindow;
using layout::SettingsWindow;

// The edit box of each typed field, by SettingsField.
constexpr std::array<std::uint32_t, kSettingsFieldCount> kFieldEdits = {{
    SettingsWindow::kModuleEdit,
    SettingsWindow::kBarHeightEdit,
    SettingsWindow::kCaptionPointsEdit,
    SettingsWindow::kStartLabelEdit,
    SettingsWindow::kCopiesEdit,  // 4
    SettingsWindow::kCountEdit,
    SettingsWindow::kStepEdit,
}};

std::uint32_t EditOf(SettingsField field) { return kFieldEdits[static_cast<std::size_t>(field)]; }

bool Checked(const WindowRuntime& runtime, std::uint32_t unit) {
  return SendMessageW(runtime.Handle(unit), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(WindowRuntime& runtime, std::uint32_t unit, bool checked) {
  SendMessageW(runtime.Handle(unit), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// What the window holds now; the height's cue text stands for an empty box.
SettingsTexts TextsOnScreen(const WindowRuntime& runtime) {
  SettingsTexts texts;
  for (std::size_t i = 0; i < kFieldEdits.size(); ++i)
    texts.fields[i] = runtime.GetText(kFieldEdits[i]).value_or(std::string());
  if (texts[SettingsField::kBarHeight] == kAutoHeightCue) texts[SettingsField::kBarHeight].clear();
  texts.caption = Checked(runtime, SettingsWindow::kCaptionCheck);
  texts.gs1 = Checked(runtime, SettingsWindow::kGs1Check);
  const LRESULT sheet = SendMessageW(runtime.Handle(SettingsWindow::kSheetList), CB_GETCURSEL, 0, 0);
  texts.sheet = sheet == CB_ERR ? 0 : static_cast<std::size_t>(sheet);
  return texts;
}

void ShowSize(WindowRuntime& runtime) {
  std::string widths;
  if (!GeneratedContent().empty()) {
    const SymbolResult symbol = SymbolOf(GeneratedContent(), CurrentSettings());
    if (symbol.ok()) widths = symbol.value().widths;
  }
  runtime.SetText(SettingsWindow::kSizeLabel, SizeLine(widths, TextsOnScreen(runtime)));
}

}  // namespace

std::int32_t ShowSettingsWindow(const EventContext& context) {
  // Built into the program: a window that cannot be loaded leaves nothing to show.
  static_cast<void>(context.runtime.LoadWindow(SettingsWindow::kId, MainWindow::kId, true));
  return 0;
}

std::int32_t StartSettingsWindow(const EventContext& context) {
  WindowRuntime& runtime = context.runtime;
  SetWindowShadow(runtime.Handle(SettingsWindow::kId));
  const SettingsTexts texts = TextsOf(CurrentSettings());
  for (std::size_t i = 0; i < kFieldEdits.size(); ++i) runtime.SetText(kFieldEdits[i], texts.fields[i]);
  RestoreAutoHeight(context);
  SetChecked(runtime, SettingsWindow::kCaptionCheck, texts.caption);
  SetChecked(runtime, SettingsWindow::kGs1Check, texts.gs1);
  const HWND list = runtime.Handle(SettingsWindow::kSheetList);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const std::string_view name : SheetNames()) {
    const std::wstring entry = WideFromGbk(name);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  SendMessageW(list, CB_SETCURSEL, texts.sheet < SheetNames().size() ? texts.sheet : 0, 0);
  ShowSize(runtime);
  runtime.SetFocusTo(SettingsWindow::kModuleEdit);
  return 0;
}

std::int32_t ApplySettings(const EventContext& context) {
  WindowRuntime& runtime = context.runtime;
  const auto read = ReadSettingsTexts(TextsOnScreen(runtime));
  if (!read.ok()) {
    // Nothing applied; the window stays, with the field to mend focused once the message is closed.
    TipsMessage() = RangeMessage(read.code());
    static_cast<void>(runtime.LoadWindow(ErrorTipsWindow::kId, SettingsWindow::kId, true));
    runtime.SetFocusTo(EditOf(read.code()));
    SendMessageW(runtime.Handle(EditOf(read.code())), EM_SETSEL, 0, -1);
    return 0;
  }
  CurrentSettings() = read.value();
  runtime.DestroyWindowLater(SettingsWindow::kId);
  return 0;
}

std::int32_t UpdateSettingsSize(const EventContext& context) {
  ShowSize(context.runtime);
  return 0;
}

std::int32_t ClearAutoHeight(const EventContext& context) {
  if (context.runtime.GetText(SettingsWindow::kBarHeightEdit) == kAutoHeightCue)
    context.runtime.SetText(SettingsWindow::kBarHeightEdit, "");
  return 0;
}

std::int32_t RestoreAutoHeight(const EventContext& context) {
  if (context.runtime.GetText(SettingsWindow::kBarHeightEdit).value_or(std::string()).empty())
    context.runtime.SetText(SettingsWindow::kBarHeightEdit, kAutoHeightCue);
  return 0;
}

}  // namespace sw::app

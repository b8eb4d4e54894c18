#include "app/print_sheets_win.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "app/app_texts.h"
#include "app/barcode_host_win.h"
#include "app/barcode_symbol.h"
#include "app/commands.h"
#include "app/handlers_win.h"
#include "app/layout_ids.h"
#include "app/program_state.h"
#include "app/progress_window_win.h"
#include "app/sequence.h"
#include "app/vector_output_win.h"
#include "base/text_codepage_win.h"
#include "encode/code128_encoder.h"
#include "render/barcode_canvas.h"
#include "render/label_sheet.h"
#include "render/print_page_win.h"
#include "ui/files/file_name.h"
#include "ui/files/file_services_win.h"
#include "ui/files/save_dialog_win.h"
#include "ui/printing/print_job_win.h"

namespace sw::app {
namespace {

using layout::ErrorTipsWindow;
using layout::MainWindow;
using layout::ReplaceTipsWindow;
using layout::TipsWindow;

bool replace_answered = false;  // the question before replacing files: 确定 pressed

const LabelSheet& SheetOf(const BarcodeSettings& settings) {
  return LabelSheets()[std::min(settings.sheet, kLabelSheetCount - 1)];
}

// The run's contents, or the message that says why there is none.
std::optional<std::vector<std::string>> RunOf(WindowRuntime& runtime, const std::string& content,
                                              const BarcodeSettings& settings) {
  SequenceResult run = SequenceOf(content, settings.count, settings.step, settings.gs1);
  if (run.ok()) return std::move(run.value());
  ShowTips(
      runtime, ErrorTipsWindow::kId,
      std::string(run.code() == SequenceError::kNoDigits ? kNoDigitsToCountMessage : kRunOutOfRangeMessage));
  return std::nullopt;
}

// The smallest cell of the page: a barcode that fits it fits every label, whatever a dot's rounding.
DotRect SmallestCell(const std::vector<DotRect>& cells) {
  DotRect smallest = cells.front();
  for (const DotRect& cell : cells) {
    smallest.width = std::min(smallest.width, cell.width);
    smallest.height = std::min(smallest.height, cell.height);
  }
  return smallest;
}

std::string RefusalMessage(PrintLayoutError code, const LabelSheet& sheet, const PrinterPage& page) {
  if (code == PrintLayoutError::kUnusable) return std::string(kPrintFailedMessage);
  switch (sheet.kind) {
    case SheetKind::kWholePage: return std::string(kTooLongToPrintMessage);
    case SheetKind::kLabelPrinter:
      return LabelTooSmallMessage(MicronsOf(page.area.width, page.area.dpi_x),
                                  MicronsOf(page.area.height, page.area.dpi_y));
    case SheetKind::kSheet: break;
  }
  return LabelTooSmallMessage(sheet.label_width, sheet.label_height);
}

}  // namespace

bool PrintsAsRun(const BarcodeSettings& settings) {
  return settings.sheet != 0 || settings.count > 1 || settings.copies > 1;
}

bool SavesAsRun(const BarcodeSettings& settings) { return settings.count > 1; }

std::int32_t PrintRun(const EventContext& context, const std::string& content) {
  WindowRuntime& runtime = context.runtime;
  const BarcodeSettings settings = CurrentSettings();
  const LabelSheet& sheet = SheetOf(settings);
  const std::optional<std::vector<std::string>> run = RunOf(runtime, content, settings);
  if (!run) return 0;
  std::vector<BarcodeSymbol> symbols;
  symbols.reserve(run->size());
  for (const std::string& each : *run) {
    SymbolResult symbol = SymbolOf(each, settings);
    if (!symbol.ok()) {
      ShowTips(runtime, ErrorTipsWindow::kId, std::string(kPrintFailedMessage));
      return 0;
    }
    symbols.push_back(std::move(symbol.value()));
  }

  const std::optional<ChosenPrinter> chosen = ChoosePrinterOrSayWhy(runtime);
  if (!chosen) return 0;
  const HDC printer = chosen->dc.get();
  const PrinterPage page{PrintableAreaOf(printer), GetDeviceCaps(printer, PHYSICALOFFSETX),
                         GetDeviceCaps(printer, PHYSICALOFFSETY)};
  const std::vector<DotRect> cells = LabelCells(sheet, page);
  // Every barcode is fitted before the job starts, so that nothing is printed of a run that cannot be.
  // Runs share a few symbol lengths: each is fitted once.
  const DotRect smallest = SmallestCell(cells);
  std::map<std::int64_t, bool> fitted;
  for (const BarcodeSymbol& symbol : symbols) {
    const std::int64_t modules = ModuleCount(symbol.widths);
    if (fitted.contains(modules)) continue;
    const PrintLayoutResult layout = LayOutLabel(modules, smallest, page, settings.look, sheet.kind);
    if (!layout.ok()) {
      ShowTips(runtime, ErrorTipsWindow::kId, RefusalMessage(layout.code(), sheet, page));
      return 0;
    }
    fitted[modules] = true;
  }

  const std::int64_t copies = std::max(settings.copies, 1);
  const std::int64_t labels = static_cast<std::int64_t>(symbols.size()) * copies;
  const std::int64_t sheet_pages = PagesForLabels(sheet, settings.start_label, labels);
  const std::int64_t first_label = PlaceOfLabel(sheet, settings.start_label, 0).cell;
  const LOGFONTW font = CaptionFont(runtime);
  std::int64_t page_number = 0;
  // Copies the driver does not make itself repeat the whole document.
  const auto draw = [&](HDC dc, RunProgress& progress, std::int64_t& drawn_labels) {
    const std::int64_t on_sheet = page_number++ % sheet_pages;
    bool drawn = true;
    for (std::size_t cell = 0; cell < cells.size(); ++cell) {
      const std::int64_t label =
          on_sheet * static_cast<std::int64_t>(cells.size()) + static_cast<std::int64_t>(cell) - first_label;
      if (label < 0 || label >= labels) continue;
      const BarcodeSymbol& symbol = symbols[static_cast<std::size_t>(label / copies)];
      const PrintLayoutResult layout =
          LayOutLabel(ModuleCount(symbol.widths), cells[cell], page, settings.look, sheet.kind);
      drawn =
          layout.ok() && DrawPrintedBarcode(dc, layout.value(), symbol.widths, symbol.caption, font) && drawn;
      // Cancelled: the page ends unfinished, and the job is aborted with it.
      if (!progress.Advance(++drawn_labels)) return false;
    }
    return drawn;
  };
  // 10,000 barcodes of 999 copies a page each, repeated by the dialog's copies, can pass what a count of
  // pages holds: such a job is refused rather than cut short.
  const std::int64_t pages = sheet_pages * std::max(chosen->copies, 1);
  if (pages > std::numeric_limits<int>::max()) {
    ShowTips(runtime, ErrorTipsWindow::kId, std::string(kPrintFailedMessage));
    return 0;
  }
  bool printed = false, cancelled = false;
  {
    RunProgress progress(runtime, kPrintingTitle, labels * std::max(chosen->copies, 1));
    std::int64_t drawn_labels = 0;
    printed = PrintPages(
                  printer, WideFromGbk(content), static_cast<int>(pages),
                  [&](HDC dc) { return draw(dc, progress, drawn_labels); }, runtime.Handle(MainWindow::kId))
                  .ok();
    cancelled = progress.cancelled();
  }
  // A cancelled job is aborted, as the user asked: nothing to tell.
  if (!printed && !cancelled) ShowTips(runtime, ErrorTipsWindow::kId, std::string(kPrintFailedMessage));
  return 0;
}

std::int32_t SaveRunAs(const EventContext& context, const std::string& content) {
  WindowRuntime& runtime = context.runtime;
  const BarcodeSettings settings = CurrentSettings();
  const std::optional<std::vector<std::string>> run = RunOf(runtime, content, settings);
  if (!run) return 0;
  const std::vector<SaveFileType> types = SaveAsTypes();
  const std::optional<SaveDialogChoice> choice = AskWhereToSaveAs(runtime, types, content);
  if (!choice) return 0;
  const std::wstring folder = choice->path.substr(0, choice->path.find_last_of(L'\\'));
  const std::string extension = "." + GbkFromWide(types[std::min(choice->type, types.size() - 1)].extension);
  std::vector<std::wstring> paths;
  paths.reserve(run->size());
  for (const std::string& each : *run) {
    paths.push_back(folder + L"\\" +
                    WideFromGbk(FileNameFrom(std::string(kSaveAsNameStart) + each, extension)));
  }
  // The dialog has asked about the file it names; files of the run already there are asked about once.
  const auto exists = [](const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  };
  const std::size_t replaced =
      static_cast<std::size_t>(std::count_if(paths.begin(), paths.end(), [&](const std::wstring& path) {
        return exists(path) &&
               CompareStringOrdinal(path.c_str(), -1, choice->path.c_str(), -1, TRUE) != CSTR_EQUAL;
      }));
  if (replaced > 0) {
    replace_answered = false;
    TipsMessage() = ReplaceQuestion(replaced);
    static_cast<void>(runtime.LoadWindow(ReplaceTipsWindow::kId, MainWindow::kId, true));
    if (!replace_answered) return 0;
  }

  // Each barcode as a single Save As makes it, at the settings' size and caption; each file is written
  // whole or not at all, so that a failure or a cancel leaves only complete files.
  const LOGFONTW font = CaptionFont(runtime);
  std::size_t saved = 0;
  bool failed = false, cancelled = false;
  {
    RunProgress progress(runtime, kSavingTitle, static_cast<std::int64_t>(paths.size()));
    for (std::size_t i = 0; i < paths.size() && !failed && !cancelled; ++i) {
      const SymbolResult symbol = SymbolOf((*run)[i], settings);
      const Bytes bytes =
          symbol.ok() ? BarcodeFileBytes(choice->type, symbol.value(), settings.look, font) : Bytes();
      failed = bytes.empty() || !WriteBytesToFile(paths[i], {bytes});
      if (!failed) ++saved;
      cancelled = !progress.Advance(static_cast<std::int64_t>(saved));
    }
  }
  SavedPath() = GbkFromWide(folder);
  if (failed) {
    ShowTips(runtime, TipsWindow::kId, std::string(kSaveFailedMessage));  // as a single Save As says it
  } else if (saved < paths.size()) {
    ShowTips(runtime, TipsWindow::kId, CancelledSaveMessage(saved, paths.size(), SavedPath()));
  } else {
    ShowTips(runtime, TipsWindow::kId, SavedMessage(SavedPath()));
  }
  return 0;
}

std::int32_t AnswerReplace(const EventContext& context) {
  replace_answered = true;
  context.runtime.DestroyWindowLater(context.window_id);
  return 0;
}

}  // namespace sw::app

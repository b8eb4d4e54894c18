#include "ui/printing/print_job_win.h"

#include <cderr.h>
#include <commdlg.h>

#include <string>

#include "base/system_library_win.h"

namespace sw {
namespace {

PrinterChooser dialog_replacement = nullptr;

// The common dialogs, bound from the system folder: imported, they would load their own libraries (the
// common controls) from the program's folder on some systems, a planted copy first.
struct DialogCalls {
  decltype(&::PrintDlgW) print;
  decltype(&::CommDlgExtendedError) error;
};
const DialogCalls& Dialogs() {
  static const DialogCalls calls{
      SystemFunction<decltype(&::PrintDlgW)>("comdlg32.dll", "PrintDlgW"),
      SystemFunction<decltype(&::CommDlgExtendedError)>("comdlg32.dll", "CommDlgExtendedError")};
  return calls;
}
BOOL PrintDialog(PRINTDLGW* dialog) { return Dialogs().print != nullptr && Dialogs().print(dialog); }
DWORD DialogError() { return Dialogs().error != nullptr ? Dialogs().error() : CDERR_INITIALIZATION; }

PrinterChoice Refuse(PrintError code, std::string message) {
  return Failure<PrintError>{code, std::move(message)};
}

// PrintDlgW with these flags and the printer's DC; PD_RETURNDEFAULT skips the dialog.
PrinterChoice RunPrintDialog(HWND owner, DWORD flags) {
  // Without a printer, some systems' dialogs warn in a box of their own even when told not to.
  if (!PrinterInstalled()) return Refuse(PrintError::kNoPrinter, "no printer is installed");
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  // No page range (one page), our own message where no printer is installed instead of the system's, and
  // no "Print to file" box: the job always goes to the printer.
  dialog.Flags = flags | PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOWARNING | PD_HIDEPRINTTOFILE;
  dialog.nCopies = 1;
  const BOOL chosen = PrintDialog(&dialog);
  // The dialog leaves the chosen printer's settings in two global blocks, ours to free.
  const ScopedGlobalMemory device_mode(dialog.hDevMode);
  const ScopedGlobalMemory device_names(dialog.hDevNames);
  ScopedPrinterDc printer(dialog.hDC);
  if (!chosen) {
    const DWORD error = DialogError();
    if (error == 0) return Refuse(PrintError::kCancelled, "cancelled");
    if (MeansNoPrinter(error)) return Refuse(PrintError::kNoPrinter, "no printer is installed");
    return Refuse(PrintError::kDialogFailed, "the print dialog failed (" + std::to_string(error) + ")");
  }
  if (!printer) return Refuse(PrintError::kDialogFailed, "the print dialog gave no printer DC");
  // Copies the driver makes itself are in the device mode, and nCopies is 1.
  return ChosenPrinter{std::move(printer), dialog.nCopies > 0 ? int{dialog.nCopies} : 1};
}

}  // namespace

bool MeansNoPrinter(DWORD dialog_error) {
  return dialog_error == PDERR_NODEFAULTPRN || dialog_error == PDERR_NODEVICES;
}

bool PrinterInstalled() {
  // The default printer's settings, asked for without a dialog and without a DC; Windows makes one of
  // the printers the default as long as any is installed. A default that fails otherwise (a network
  // printer out of reach) leaves the others to choose from in the dialog.
  PRINTDLGW query{};
  query.lStructSize = sizeof query;
  query.Flags = PD_RETURNDEFAULT | PD_NOWARNING;
  const BOOL found = PrintDialog(&query);
  const ScopedGlobalMemory device_mode(query.hDevMode);
  const ScopedGlobalMemory device_names(query.hDevNames);
  return found != FALSE || !MeansNoPrinter(DialogError());
}

void ReplacePrintDialogForTests(PrinterChooser chooser) { dialog_replacement = chooser; }

PrinterChoice DefaultPrinter(HWND owner) { return RunPrintDialog(owner, PD_RETURNDEFAULT); }

PrinterChoice ChoosePrinter(HWND owner) {
  return dialog_replacement != nullptr ? dialog_replacement(owner) : RunPrintDialog(owner, 0);
}

PrintJobResult PrintPages(HDC printer, std::wstring_view document, int pages,
                          const std::function<bool(HDC)>& draw, HWND owner) {
  // A driver that shows a window of its own pumps messages: with the owner disabled, as under a modal
  // dialog, no command of the program runs inside the job.
  const ScopedDisabledWindow disabled = DisableWindow(owner);
  const std::wstring name(document);
  DOCINFOW info{};
  info.cbSize = sizeof info;
  info.lpszDocName = name.c_str();
  if (StartDocW(printer, &info) <= 0) {
    return Failure<PrintError>{PrintError::kSpoolerRefused, "the spooler refused the document"};
  }
  ScopedPrintDocument started(printer);
  for (int page = 0; page < pages; ++page) {
    if (StartPage(printer) <= 0) {
      return Failure<PrintError>{PrintError::kSpoolerRefused, "the printer refused a page"};
    }
    const bool drawn = draw(printer);
    if (EndPage(printer) <= 0 || !drawn) {
      return Failure<PrintError>{PrintError::kSpoolerRefused, "a page could not be printed"};
    }
  }
  if (EndDoc(printer) <= 0) {
    return Failure<PrintError>{PrintError::kSpoolerRefused, "the document could not be finished"};
  }
  started.release();  // ended: nothing to abort
  return Done{};
}

}  // namespace sw

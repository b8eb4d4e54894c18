#include "ui/printing/print_job_win.h"

#include <cderr.h>
#include <commdlg.h>

#include <string>

namespace sw {
namespace {

bool default_printer_for_tests = false;

PrinterChoice Refuse(PrintError code, std::string message) {
  return Failure<PrintError>{code, std::move(message)};
}

}  // namespace

void ChooseDefaultPrinterForTests(bool on) { default_printer_for_tests = on; }

PrinterChoice ChoosePrinter(HWND owner) {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  // No page range (one page), our own message where no printer is installed instead of the system's.
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOWARNING;
  if (default_printer_for_tests) dialog.Flags |= PD_RETURNDEFAULT;
  dialog.nCopies = 1;
  const BOOL chosen = PrintDlgW(&dialog);
  // The dialog leaves the chosen printer's settings in two global blocks, ours to free.
  const ScopedGlobalMemory device_mode(dialog.hDevMode);
  const ScopedGlobalMemory device_names(dialog.hDevNames);
  ScopedPrinterDc printer(dialog.hDC);
  if (!chosen) {
    const DWORD error = CommDlgExtendedError();
    if (error == 0) return Refuse(PrintError::kCancelled, "cancelled");
    if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES) {
      return Refuse(PrintError::kNoPrinter, "no printer is installed");
    }
    return Refuse(PrintError::kDialogFailed, "the print dialog failed (" + std::to_string(error) + ")");
  }
  if (!printer) return Refuse(PrintError::kDialogFailed, "the print dialog gave no printer DC");
  // Copies the driver makes itself are in the device mode, and nCopies is 1.
  return ChosenPrinter{std::move(printer), dialog.nCopies > 0 ? int{dialog.nCopies} : 1};
}

PrintJobResult PrintPages(HDC printer, std::wstring_view document, int pages,
                          const std::function<bool(HDC)>& draw) {
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

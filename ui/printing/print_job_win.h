// Printing one page: the printer chosen in the system's print dialog, and a document that is either
// whole in the spooler or not there at all.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "base/handles_win.h"
#include "base/result.h"

namespace sw {

enum class PrintError {
  kCancelled,       // the user closed the dialog without printing
  kNoPrinter,       // no printer is installed
  kDialogFailed,    // the dialog could not be shown
  kSpoolerRefused,  // the spooler or the printer refused the document (aborted: nothing stays queued)
};

struct ChosenPrinter {
  ScopedPrinterDc dc;
  int copies = 1;  // pages to print: copies the driver does not make itself
};
using PrinterChoice = Result<ChosenPrinter, PrintError>;
using PrintJobResult = Result<Done, PrintError>;

// The print dialog owned by `owner` (printer, copies, orientation); the chosen printer's DC. Where a test
// has replaced the dialog, what its replacement chooses.
PrinterChoice ChoosePrinter(HWND owner);

// Whether a printer is installed (one of them is the default): false only where the query of the default
// says there is none.
bool PrinterInstalled();

// Whether a failed print dialog's CommDlgExtendedError says that no printer is installed.
bool MeansNoPrinter(DWORD dialog_error);

// The default printer without a dialog, as a user who accepts the dialog as it opens gets it.
PrinterChoice DefaultPrinter(HWND owner);

// For tests only (the program never calls it): ChoosePrinter asks `chooser` instead of showing the
// dialog (DefaultPrinter, or a stand-in); nullptr shows the dialog again.
using PrinterChooser = PrinterChoice (*)(HWND owner);
void ReplacePrintDialogForTests(PrinterChooser chooser);

// One document named `document` holding `pages` pages, each filled by `draw`. A failure after the document
// has started aborts it. `owner` (if any) is disabled for the job and enabled again after it.
PrintJobResult PrintPages(HDC printer, std::wstring_view document, int pages,
                          const std::function<bool(HDC)>& draw, HWND owner = nullptr);

}  // namespace sw

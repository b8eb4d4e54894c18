// Ctrl+P through the real windows and handler: what it says when it cannot print (no barcode yet, no
// printer, a content too long for the paper, a refused job) and the print dialog, owned by the main
// window, cancelled without a word. Wine's printers are the queues of the run's own CUPS daemon
// (tests/support/private_cups.sh): one while it runs, none where it could not start.
#include <windows.h>
#include <cderr.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_texts.h"
#include "app/barcode_settings.h"
#include "app/program_state.h"
#include "tests/app/app_driver_win.h"
#include "tests/app/shared_app_test_win.h"
#include "tests/support/case_table.h"
#include "ui/printing/print_job_win.h"
#include "ui/runtime/unit_events.h"

namespace sw {
namespace {

using layout::ErrorTipsWindow;
using layout::MainWindow;
using test::AppDriver;

// What the dialog answers where no printer is installed.
PrinterChoice NoPrinter(HWND) { return Failure<PrintError>{PrintError::kNoPrinter, "no printer"}; }

// The screen's DC as a stand-in printer: 96 dots an inch and the screen's width, and no spooler behind
// it, so StartDoc fails.
PrinterChoice ScreenAsPrinter(HWND) {
  return ChosenPrinter{ScopedPrinterDc(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)), 1};
}

class PrintCommand : public test::SharedAppTest {
 protected:
  static void TearDownTestSuite() {
    ReplacePrintDialogForTests(nullptr);
    SharedAppTest::TearDownTestSuite();
  }
  void SetUp() override {
    ASSERT_TRUE(app_.ready()) << app_.error();
    app::FullSizeBarcode().clear();
    app::GeneratedContent().clear();
    app_.Pump();
    app_.TakeTips();
  }
  void Generate(const std::string& content) { ASSERT_TRUE(app_.Generate(content).empty()) << content; }
  // Ctrl+P in the main window; the messages it showed.
  std::vector<test::TipsSeen> PressCtrlP() {
    app_.runtime().SetFocusTo(MainWindow::kContentEdit);
    app_.PressAndSettle('P', event::kCtrlDown);
    return app_.TakeTips();
  }
};

TEST_F(PrintCommand, SaysWhyItCannotPrint) {
  struct Row {
    bool generate;
    std::string content;
    PrinterChooser chooser;
    std::string_view message;
    const char* reason;
    std::int32_t bar_height_microns = 0;  // the settings' bar height; 0 automatic
  };
  const Row rows[] = {
      /*0*/ {false, "", &DefaultPrinter, app::kNoBarcodeMessage, "nothing generated yet"},
      /*1*/ {true, "SW-2024-0042", &NoPrinter, app::kNoPrinterMessage, "no printer installed"},
      /*2*/
      {true, std::string(400, 'W'), &ScreenAsPrinter, app::kTooLongToPrintMessage,
       "4,435 modules are wider than any screen at one dot a module"},
      /*3*/ {true, "SW-2024-0042", &ScreenAsPrinter, app::kPrintFailedMessage, "no spooler takes the job"},
      /*4*/
      {true, "SW-2024-0042", &ScreenAsPrinter, app::kTooShortToPrintMessage,
       "bars 1 m high are taller than any screen", 1000000},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    app::GeneratedContent().clear();
    if (row.generate) Generate(row.content);
    ReplacePrintDialogForTests(row.chooser);
    app::CurrentSettings().look.bar_height_microns = row.bar_height_microns;
    const std::vector<test::TipsSeen> tips = PressCtrlP();
    app::CurrentSettings() = {};
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips[0].window_id, ErrorTipsWindow::kId);
    EXPECT_EQ(tips[0].message, std::string(row.message));
    EXPECT_TRUE(IsWindowEnabled(app_.runtime().Handle(MainWindow::kId))) << "enabled on every way out";
  });
}

TEST(PrintDialogErrors, OnlyTheNoPrinterCodesMeanNoPrinter) {
  struct Row {
    DWORD error;
    bool no_printer;
    const char* reason;
  };
  const Row rows[] = {
      {PDERR_NODEFAULTPRN, true, "no default printer"},
      {PDERR_NODEVICES, true, "no printer drivers"},
      {PDERR_PRINTERNOTFOUND, false, "the default printer is out of reach: the dialog offers the others"},
      {PDERR_RETDEFFAILURE, false, "the default could not be read"},
  };
  testing::ForEachRow(rows, [](const Row& row) { EXPECT_EQ(MeansNoPrinter(row.error), row.no_printer); });
}

// The first visible dialog of this thread as the timer found it (the print dialog, or a system message
// box), cancelled. Not test::FindOwnedDialog: a system's warning may be owned by a print dialog that is
// not shown yet, rather than by the main window, and must be found too.
struct DialogSeen {
  HWND owner = nullptr;
  bool has_printer_list = false;
  bool print_to_file = false;  // the "Print to file" box is shown
};
DialogSeen dialog_seen;

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  dialog_seen.owner = GetWindow(window, GW_OWNER);
  dialog_seen.has_printer_list = GetDlgItem(window, cmb4) != nullptr;
  dialog_seen.print_to_file = IsWindowVisible(GetDlgItem(window, chx1)) != FALSE;
  PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  return FALSE;
}

void CALLBACK LookForDialog(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), &CancelDialog, 0);
}

TEST_F(PrintCommand, WithoutAPrinterNoSystemDialogOnlyOurMessage) {
  if (PrinterInstalled()) GTEST_SKIP() << "a printer is installed: the run's CUPS daemon is up";
  Generate("SW-2024-0042");
  for (const PrinterChooser chooser : {PrinterChooser{nullptr}, &DefaultPrinter}) {
    ReplacePrintDialogForTests(chooser);
    dialog_seen = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &LookForDialog);
    const std::vector<test::TipsSeen> tips = PressCtrlP();
    KillTimer(nullptr, timer);
    EXPECT_EQ(dialog_seen.owner, nullptr) << "a system dialog or message box";
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips[0].message, std::string(app::kNoPrinterMessage));
  }
}

TEST_F(PrintCommand, DialogOwnedByTheMainWindowCancelsQuietly) {
  if (!PrinterInstalled()) GTEST_SKIP() << "no printer installed: the run's CUPS daemon could not start";
  Generate("SW-2024-0042");
  ReplacePrintDialogForTests(nullptr);
  dialog_seen = {};
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &LookForDialog);
  const std::vector<test::TipsSeen> tips = PressCtrlP();
  KillTimer(nullptr, timer);
  EXPECT_EQ(dialog_seen.owner, app_.runtime().Handle(MainWindow::kId));
  EXPECT_TRUE(dialog_seen.has_printer_list) << "the print dialog, not a message box";
  EXPECT_FALSE(dialog_seen.print_to_file) << "the job always goes to the printer";
  EXPECT_TRUE(tips.empty()) << tips.front().message;
}

}  // namespace
}  // namespace sw

// Printing through a real spooler: tests/support/private_cups.sh has started a CUPS daemon of the run's own
// whose default queue writes each job as a PDF; Wine's spooler (winspool) must offer that queue as the
// default printer, and a barcode printed on it by the program's print command must arrive there.
// print_check.py, run after this test, rasterises each PDF and reads it with two decoders. The folder comes
// in SW_PRINT_DIR (as Wine sees it); each printed job gets a line "content<TAB>dpi<TAB>module
// dots<TAB>HORZRES<TAB>PHYSICALOFFSETX<TAB>bar height dots<TAB>caption 0/1" in printed.txt there, in the
// order the jobs were sent; a sheet of labels gets "sheet<TAB>columns<TAB>rows<TAB>label width, height, top
// and left margin, pitch across and down (mm)<TAB>start<TAB>contents" with the sheet's published measures,
// for the check to find its cells.
#include <windows.h>
#include <gtest/gtest.h>
#include <winspool.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/app_texts.h"
#include "app/barcode_settings.h"
#include "base/handles_win.h"
#include "encode/code128_encoder.h"
#include "render/barcode_canvas.h"
#include "render/print_layout.h"
#include "render/print_page_win.h"
#include "tests/app/app_driver_win.h"
#include "tests/support/case_table.h"
#include "ui/printing/print_job_win.h"
#include "ui/runtime/unit_events.h"

namespace sw {
namespace {

// The queue private_cups.sh makes the default.
constexpr wchar_t kQueue[] = L"swpdf";

std::string PrintDir() {
  const char* dir = std::getenv("SW_PRINT_DIR");
  return dir == nullptr ? std::string() : std::string(dir);
}

std::wstring DefaultPrinterName() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size == 0) return {};
  std::wstring name(size, L'\0');
  if (!GetDefaultPrinterW(name.data(), &size)) return {};
  name.resize(size - 1);  // the count includes the terminating zero
  return name;
}

std::vector<std::wstring> LocalPrinters() {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed);
  std::vector<std::wstring> names;
  if (needed == 0 || !EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, buffer.data(), needed, &needed, &count)) {
    return names;
  }
  const auto* info = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) names.emplace_back(info[i].pPrinterName);
  return names;
}

// What a print chose, for print_check.py to compare with what it measures on the page.
struct PrintedJob {
  int dpi = 0;
  int module_dots = 0;
  int printable_width = 0;
  int offset_x = 0;
  int bar_dots = 0;
};

// Whether the main window took input while the spooler ran the job: the abort procedure, which the
// spooler calls during the job, looks.
HWND watched_window = nullptr;
int enabled_during_job = -1;  // -1: not called
BOOL CALLBACK WatchTheJob(HDC, int) {
  enabled_during_job = std::max(enabled_during_job, IsWindowEnabled(watched_window) ? 1 : 0);
  return TRUE;
}
PrinterChoice DefaultPrinterWatched(HWND owner) {
  PrinterChoice printer = DefaultPrinter(owner);
  if (printer.ok()) SetAbortProc(printer.value().dc.get(), &WatchTheJob);
  return printer;
}

// The program's own print command: the content generated, then Ctrl+P, with the default printer taken as
// a user who accepts the print dialog as it opens would. What the command chooses on that printer is read
// back through the same layout, for print_check.py to compare with what it measures.
bool PrintThroughTheProgram(test::AppDriver& app, const std::string& content, const BarcodeLook& look,
                            PrintedJob& job) {
  PrinterChoice printer = DefaultPrinter(nullptr);
  if (!printer.ok()) return false;
  const HDC dc = printer.value().dc.get();
  const PrintableArea area = PrintableAreaOf(dc);
  const PrintLayoutResult layout =
      LayOutPrintedBarcode(ModuleCount(Code128Encoder().Widths(content)), area, look);
  if (!layout.ok()) return false;
  job.dpi = area.dpi_x;
  job.module_dots = layout.value().module;
  job.printable_width = area.width;
  job.offset_x = GetDeviceCaps(dc, PHYSICALOFFSETX);
  job.bar_dots = layout.value().bar_height;

  app.SetContent(content);
  app.Click(layout::MainWindow::kGenerateButton);
  app.Pump();
  ReplacePrintDialogForTests(&DefaultPrinterWatched);
  watched_window = app.runtime().Handle(layout::MainWindow::kId);
  enabled_during_job = -1;
  app.runtime().SetFocusTo(layout::MainWindow::kContentEdit);
  app::CurrentSettings().look = look;  // as the settings window's OK leaves it
  test::AppDriver::PressKey('P', event::kCtrlDown);
  app.Pump();
  app::CurrentSettings() = {};
  BYTE none[256] = {};
  SetKeyboardState(none);
  ReplacePrintDialogForTests(nullptr);
  return app.TakeTips().empty();  // every failure of the command says so in a tips window
}

TEST(PrintSpool, TheRunsPdfQueueIsWinesDefaultPrinter) {
  EXPECT_EQ(DefaultPrinterName(), kQueue);
  bool listed = false;
  for (const std::wstring& name : LocalPrinters()) listed = listed || name == kQueue;
  EXPECT_TRUE(listed) << "EnumPrintersW does not list the queue";
}

TEST(PrintSpool, EachContentIsPrintedAsAJob) {
  struct Row {
    const char* reason;
    std::string content;
    BarcodeLook look = {};
  };
  const Row rows[] = {
      {"12 characters, letters and digits", "SW-2024-0042"},
      {"40 characters, a long mix", "Stripewright0123456789ABCDEFGHIJKLMNOPQR"},
      {"a 0.5 mm module, 20 mm bars, no caption", "SW-2024-0042", {500, 20000, false, 10}},
  };
  test::AppDriver app;
  ASSERT_TRUE(app.ready()) << app.error();
  std::ofstream printed(PrintDir() + "\\printed.txt", std::ios::app);
  ASSERT_TRUE(printed) << "cannot write printed.txt in " << PrintDir();
  testing::ForEachRow(rows, [&](const Row& row) {
    PrintedJob job;
    ASSERT_TRUE(PrintThroughTheProgram(app, row.content, row.look, job));
    EXPECT_GT(job.module_dots, 0);
    EXPECT_EQ(enabled_during_job, 0) << "the main window is disabled for the job";
    EXPECT_TRUE(IsWindowEnabled(watched_window)) << "and enabled after it";
    EXPECT_EQ(GetFocus(), app.runtime().Handle(layout::MainWindow::kContentEdit)) << "the focus back";
    printed << row.content << '\t' << job.dpi << '\t' << job.module_dots << '\t' << job.printable_width
            << '\t' << job.offset_x << '\t' << job.bar_dots << '\t' << row.look.caption << '\n';
    printed.flush();
  });
}

// A run from `first` on a sheet through the program's Print, the settings as the settings window leaves
// them, and put back after; false where the command told of a failure.
bool PrintRunThroughTheProgram(test::AppDriver& app, const char* first, std::size_t sheet, int count,
                               int start_label = 1) {
  app::BarcodeSettings& settings = app::CurrentSettings();
  const app::BarcodeSettings before = settings;
  settings.sheet = sheet;
  settings.count = count;
  settings.start_label = start_label;
  PrintedJob job;
  const bool printed = PrintThroughTheProgram(app, first, settings.look, job);
  settings = before;
  return printed;
}

TEST(PrintSpool, ASequenceFillsASheetFromItsStartPosition) {
  test::AppDriver app;
  ASSERT_TRUE(app.ready()) << app.error();
  // A4, 3 x 8 labels of 70 x 37 mm; the first four used already: the run ends on a second sheet.
  ASSERT_TRUE(PrintRunThroughTheProgram(app, "SKU0098", 2, 24, 5));
  std::ofstream printed(PrintDir() + "\\printed.txt", std::ios::app);
  printed << "sheet\t3\t8\t70 37 0.5 0 70 37\t5\t";
  for (int i = 0; i < 24; ++i) printed << (i > 0 ? " " : "") << "SKU" << (i < 2 ? "00" : "0") << 98 + i;
  printed << '\n';
}

// A full sheet of 65 labels reaches the spooler as rectangles: print_check.py holds its PDF to a size that
// a bitmap of the page would pass many times over.
TEST(PrintSpool, ASheetOf65LabelsStaysSmall) {
  test::AppDriver app;
  ASSERT_TRUE(app.ready()) << app.error();
  ASSERT_TRUE(PrintRunThroughTheProgram(app, "SKU0001", 5, 65));  // A4, 5 x 13 labels of 38.1 x 21.2 mm
  std::ofstream(PrintDir() + "\\printed.txt", std::ios::app) << "size\t" << 300 * 1024 << "\t1\n";
}

// Runs last: a job the spooler printed after all would be one PDF more than print_check.py is told of.
TEST(PrintSpool, ACancelledRunIsAbortedWhole) {
  test::AppDriver app;
  ASSERT_TRUE(app.ready()) << app.error();
  app.CancelNextProgress();
  const bool quiet = PrintRunThroughTheProgram(app, "SKU0001", 2, 2000);  // 84 pages of 3 x 8 labels
  const std::optional<test::ProgressSeen> progress = app.TakeProgress();
  EXPECT_TRUE(quiet) << "the user cancelled: nothing to tell";
  ASSERT_TRUE(progress.has_value()) << "the progress window showed";
  EXPECT_EQ(progress->title, app::kPrintingTitle);
  EXPECT_TRUE(progress->owner_disabled);
  EXPECT_TRUE(IsWindowEnabled(watched_window));
}

}  // namespace
}  // namespace sw

// Where private_cups.sh could not start the daemon, it left its reason in the folder; the run is then a
// skip (77, as CTest is told), never a pass.
int main(int argc, char** argv) {
  const std::string dir = sw::PrintDir();
  if (dir.empty()) {
    std::printf("SW_PRINT_DIR is not set\n");
    return 1;
  }
  std::ifstream unavailable(dir + "\\unavailable");
  if (unavailable) {
    std::string why;
    std::getline(unavailable, why);
    std::printf("skipped: no private print spooler: %s\n", why.c_str());
    return 77;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

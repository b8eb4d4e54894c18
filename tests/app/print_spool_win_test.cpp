// Printing through a real spooler: tests/support/private_cups.sh has started a CUPS daemon of the run's own
// whose default queue writes each job as a PDF; Wine's spooler (winspool) must offer that queue as the
// default printer, and a barcode printed on it must arrive there. print_check.py, run after this test,
// rasterises each PDF and reads it with two decoders. The folder comes in SW_PRINT_DIR (as Wine sees it);
// each printed job gets a line "content<TAB>dpi<TAB>module dots<TAB>HORZRES<TAB>PHYSICALOFFSETX" in
// printed.txt there, in the order the jobs were sent.
#include <windows.h>
#include <gtest/gtest.h>
#include <winspool.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "encode/code128_encoder.h"
#include "tests/support/case_table.h"
#include "ui/handles/handles_win.h"

namespace sw {
namespace {

// The queue private_cups.sh makes the default.
constexpr wchar_t kQueue[] = L"swpdf";

std::string PrintDir() {
  const char* dir = std::getenv("SW_PRINT_DIR");
  return dir == nullptr ? std::string() : std::string(dir);
}

std::wstring DefaultPrinter() {
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
};

// ---- The print routine that the program's own print command replaces. -------------------------------
// A minimal page: the bars of `content` at the top of the printable area, centred, each module a whole
// number of printer dots (0.33 mm rounded), 10 modules of quiet zone each side, bars 10 mm high or 15% of
// the symbol's width. Once the program prints, this becomes a call of its print command (the PrintBarcode
// handler) through a test hook that takes the default printer without showing the dialog.
bool PrintOnDefaultPrinter(const std::string& content, PrintedJob& job) {
  const std::wstring printer = DefaultPrinter();
  // DeleteDC ends a printer DC as it ends a memory DC.
  ScopedMemoryDc dc(CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr));
  if (!dc) return false;
  job.dpi = GetDeviceCaps(dc.get(), LOGPIXELSX);
  job.printable_width = GetDeviceCaps(dc.get(), HORZRES);
  job.offset_x = GetDeviceCaps(dc.get(), PHYSICALOFFSETX);
  job.module_dots = static_cast<int>(std::lround(0.33 * job.dpi / 25.4));
  const std::string widths = Code128Encoder().Widths(content);
  int modules = 20;
  for (char w : widths) modules += w - '0';
  const int symbol_dots = modules * job.module_dots;
  const int height = std::max(static_cast<int>(std::lround(10.0 * job.dpi / 25.4)), symbol_dots * 15 / 100);

  const std::wstring title = L"Stripewright print test";
  DOCINFOW doc{};
  doc.cbSize = sizeof(doc);
  doc.lpszDocName = title.c_str();
  if (StartDocW(dc.get(), &doc) <= 0) return false;
  if (StartPage(dc.get()) <= 0) {
    AbortDoc(dc.get());
    return false;
  }
  int x = (job.printable_width - symbol_dots) / 2 + 10 * job.module_dots;
  bool bar = true;
  for (char w : widths) {
    const int span = (w - '0') * job.module_dots;
    if (bar) {
      const RECT r{x, 0, x + span, height};
      FillRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    x += span;
    bar = !bar;
  }
  if (EndPage(dc.get()) <= 0) {
    AbortDoc(dc.get());
    return false;
  }
  return EndDoc(dc.get()) > 0;
}
// ---- End of the routine the program's print command replaces. ----------------------------------------

TEST(PrintSpool, TheRunsPdfQueueIsWinesDefaultPrinter) {
  EXPECT_EQ(DefaultPrinter(), kQueue);
  bool listed = false;
  for (const std::wstring& name : LocalPrinters()) listed = listed || name == kQueue;
  EXPECT_TRUE(listed) << "EnumPrintersW does not list the queue";
}

TEST(PrintSpool, EachContentIsPrintedAsAJob) {
  struct Row {
    const char* reason;
    std::string content;
  };
  const Row rows[] = {
      {"12 characters, letters and digits", "SW-2024-0042"},
      {"40 characters, a long mix", "Stripewright0123456789ABCDEFGHIJKLMNOPQR"},
  };
  std::ofstream printed(PrintDir() + "\\printed.txt", std::ios::app);
  ASSERT_TRUE(printed) << "cannot write printed.txt in " << PrintDir();
  testing::ForEachRow(rows, [&](const Row& row) {
    PrintedJob job;
    ASSERT_TRUE(PrintOnDefaultPrinter(row.content, job)) << "GetLastError " << GetLastError();
    EXPECT_GT(job.module_dots, 0);
    printed << row.content << '\t' << job.dpi << '\t' << job.module_dots << '\t' << job.printable_width
            << '\t' << job.offset_x << '\n';
    printed.flush();
  });
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

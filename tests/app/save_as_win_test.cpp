// Save As through the real windows and the system's Save dialog, driven as a user drives it: the dialog
// and the question before replacing a file are found and answered from a timer inside their modal loops
// (as the driver closes the tips windows), the file name typed into the dialog's box, then Enter. The
// saved PNGs are also written where SW_SAVE_AS_SCAN_DIR says, for the two decoders of scan_check.py.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/app_texts.h"
#include "app/barcode_settings.h"
#include "app/barcode_symbol.h"
#include "app/commands.h"
#include "app/program_state.h"
#include "app/progress.h"
#include "base/text_codepage_win.h"
#include "encode/code128_encoder.h"
#include "render/barcode_canvas.h"
#include "render/bitmap.h"
#include "render/svg_writer.h"
#include "tests/app/app_driver_win.h"
#include "tests/app/shared_app_test_win.h"
#include "tests/support/case_table.h"
#include "tests/support/page_canvas_win.h"
#include "tests/support/scan_manifest.h"
#include "tests/support/temp_folder_win.h"
#include "ui/files/file_services_win.h"
#include "ui/files/save_dialog_win.h"
#include "ui/picture/picture_decode.h"
#include "ui/runtime/unit_events.h"

namespace sw {
namespace {

using layout::ErrorTipsWindow;
using layout::MainWindow;
using layout::TipsWindow;
using test::AppDriver;
using test::FindOwnedDialog;
using test::ReadFileBytes;

// What the user does in the dialog, and what the test saw of it.
struct DialogScript {
  explicit DialogScript(std::wstring typed_name = {}, std::optional<int> type_picked = std::nullopt,
                        std::optional<bool> answer = std::nullopt)
      : typed(std::move(typed_name)), type(type_picked), replace(answer) {}
  std::wstring typed;           // into the file-name box, then Enter; empty: Cancel
  std::optional<int> type;      // the file type picked first (0 PNG, 1 BMP)
  std::optional<bool> replace;  // the answer to "replace it?"; after No, Cancel
  // Seen.
  bool opened = false;
  bool owned_by_main = false;
  std::wstring title, folder, offered;
  bool asked_to_replace = false;
  // Where it is.
  enum { kWaiting, kTyped, kAnswered, kDone } step = kWaiting;
  int ticks = 0;  // in this step
};

DialogScript* script = nullptr;
HWND main_window = nullptr;

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring DialogText(HWND dialog, UINT message) {
  std::wstring text(32768, L'\0');
  const LRESULT length = SendMessageW(dialog, message, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(length > 0 ? static_cast<std::size_t>(length) - 1 : 0);
  return text;
}

// The file-name box: an edit, alone or inside the name's combo box.
HWND NameBox(HWND dialog) {
  HWND box = GetDlgItem(dialog, cmb13);
  if (box != nullptr) {
    HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
    return edit != nullptr ? edit : box;
  }
  return GetDlgItem(dialog, edt1);
}

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR, DWORD) {
  if (script == nullptr) return;
  const HWND dialog = FindOwnedDialog(main_window);
  if (dialog == nullptr) return;
  DialogScript& s = *script;
  if (s.step == DialogScript::kWaiting) {
    s.opened = true;
    s.owned_by_main = GetWindow(dialog, GW_OWNER) == main_window;
    s.title = TextOf(dialog);
    s.folder = DialogText(dialog, CDM_GETFOLDERPATH);
    s.offered = DialogText(dialog, CDM_GETSPEC);
    s.step = DialogScript::kTyped;
    if (s.typed.empty()) {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    if (s.type) {  // picked from the list, which tells the dialog what a click in it tells
      const HWND types = GetDlgItem(dialog, cmb1);
      SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(*s.type), 0);
      for (const WORD notice : {CBN_SELCHANGE, CBN_SELENDOK}) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, notice), reinterpret_cast<LPARAM>(types));
      }
    }
    const HWND box = NameBox(dialog);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);  // typing replaces the offered name
    AppDriver::Type(s.typed);
    AppDriver::PressKey(VK_RETURN);
    return;
  }
  const HWND question = FindOwnedDialog(dialog);
  // A dialog that stays open for seconds after the user is done is closed, so that a test fails (on what
  // was not saved) instead of waiting for ever.
  constexpr int kTicksForAStep = 250;
  if (++s.ticks > kTicksForAStep) {
    if (question != nullptr) SendMessageW(GetDlgItem(question, IDNO), BM_CLICK, 0, 0);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    s.ticks = 0;
    return;
  }
  if (s.step == DialogScript::kTyped && question != nullptr) {
    s.asked_to_replace = true;
    s.step = DialogScript::kAnswered;
    s.ticks = 0;
    const bool yes = s.replace.value_or(false);
    SendMessageW(GetDlgItem(question, yes ? IDYES : IDNO), BM_CLICK, 0, 0);
    return;
  }
  if (s.step == DialogScript::kAnswered && question == nullptr && !s.replace.value_or(false)) {
    s.step = DialogScript::kDone;
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }
}

// The pHYs chunk's pixels a metre (x, y) and unit, read from the file's bytes; -1s without one.
struct Phys {
  std::int64_t x = -1, y = -1;
  int unit = -1;
};
Phys PhysOf(const std::vector<std::uint8_t>& png) {
  auto be32 = [&](std::size_t at) {
    return std::int64_t{png[at]} << 24 | std::int64_t{png[at + 1]} << 16 | std::int64_t{png[at + 2]} << 8 |
           png[at + 3];
  };
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::int64_t length = be32(at);
    if (std::string(png.begin() + at + 4, png.begin() + at + 8) == "pHYs" && length == 9 &&
        at + 17 <= png.size()) {
      return {be32(at + 8), be32(at + 12), png[at + 16]};
    }
    at += 12 + static_cast<std::size_t>(length);
  }
  return {};
}

class SaveAs : public test::SharedAppTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app_.ready()) << app_.error();
    ASSERT_FALSE(folder_.path().empty());
    main_window = app_.runtime().Handle(MainWindow::kId);
    timer_ = SetTimer(nullptr, 0, 20, &DriveDialog);
    app_.Pump();
    app_.TakeTips();
  }
  void TearDown() override {
    KillTimer(nullptr, timer_);
    script = nullptr;
  }
  void Generate(std::string_view content) { ASSERT_TRUE(app_.Generate(content).empty()) << content; }
  // Ctrl+Shift+S in the main window, the dialog driven by `s`; the tips windows it led to.
  std::vector<test::TipsSeen> SaveAsBy(DialogScript& s) {
    script = &s;
    app_.runtime().SetFocusTo(MainWindow::kFocusSink);
    app_.PressAndSettle('S', event::kCtrlDown | event::kShiftDown);
    script = nullptr;
    return app_.TakeTips();
  }
  // The tips the save should show for `path`.
  static std::string SavedTo(const std::wstring& path) { return app::SavedMessage(GbkFromWide(path)); }

  static testing::TempFolder folder_;
  UINT_PTR timer_ = 0;
};
testing::TempFolder SaveAs::folder_;

// Runs first: the first dialog of the run opens in Pictures.
TEST_F(SaveAs, OffersTheNameInPicturesThenTheFolderLastUsed) {
  Generate("a/b:c");
  DialogScript cancel;
  EXPECT_TRUE(SaveAsBy(cancel).empty()) << "Cancel shows nothing";
  ASSERT_TRUE(cancel.opened);
  EXPECT_TRUE(cancel.owned_by_main);
  EXPECT_EQ(cancel.title, WideFromGbk(app::kSaveAsTitle));
  EXPECT_EQ(cancel.offered, L"Bar_Code_a_b_c.png") << "what a file name cannot hold becomes _";
  ASSERT_FALSE(PicturesFolder().empty());
  EXPECT_EQ(cancel.folder, PicturesFolder());

  const std::wstring path = folder_.path() + L"\\first.png";
  DialogScript save{path};
  EXPECT_EQ(SaveAsBy(save).size(), 1u);
  DialogScript again;
  SaveAsBy(again);
  EXPECT_EQ(again.folder, folder_.path()) << "the folder last used";
  EXPECT_EQ(again.offered, L"Bar_Code_a_b_c.png");

  app_.SetContent("edited since");
  DialogScript edited;
  SaveAsBy(edited);
  EXPECT_EQ(edited.offered, L"Bar_Code_a_b_c.png") << "named for the content as it was generated";
  EXPECT_EQ(testing::TempFolder::Names(folder_.path()).size(), 1u) << "Cancel writes nothing";

  Generate(std::string(240, '7'));
  DialogScript long_name;
  SaveAsBy(long_name);
  EXPECT_LE(long_name.folder.size() + 1 + long_name.offered.size(), std::size_t{MAX_PATH - 1});
  EXPECT_TRUE(long_name.offered.ends_with(L"7777.png")) << "the content part shortened";
  const std::wstring long_path = long_name.folder + L"\\" + long_name.offered;
  DialogScript enter{long_path};
  const std::vector<test::TipsSeen> tips = SaveAsBy(enter);
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(tips[0].message, SavedTo(long_path));
}

TEST_F(SaveAs, WritesTheFullSizeBarcodeAsTheChosenType) {
  struct Row {
    std::string content;
    std::wstring folder;      // made under the test's folder
    std::wstring typed_name;  // in that folder
    std::optional<int> type;
    std::wstring saved_name;
    bool png;
    const char* reason;
    BarcodeLook look = {};       // the settings in force
    std::int32_t module_px = 4;  // 0.33 mm at 300 dpi
    std::int32_t bar_rows = 0;   // 0: automatic, not checked
  };
  const BarcodeLook kSized{500, 20000, false, 10};
  const Row rows[] = {
      {"0", L"plain", L"one", std::nullopt, L"one.png", true, "PNG at first: the extension is added"},
      {"SW-2024-0042", L"plain", L"twelve.png", std::nullopt, L"twelve.png", true, "twelve characters"},
      {"ABCDEFGHIJ1234567890abcdefghij0987654321", L"plain", L"forty", 0, L"forty.png", true,
       "forty characters"},
      {"SW-2024-0042", L"plain", L"as bmp", 1, L"as bmp.bmp", false, "BMP chosen: its extension"},
      {"SW-2024-0042", L"plain", L"named.bmp", std::nullopt, L"named.bmp", false,
       "a name ending .bmp is a BMP"},
      {"SW-2024-0042", L"plain", L"dotted. .", std::nullopt, L"dotted.png", true,
       "trailing dots and spaces, which Windows drops, make way for the extension"},
      {"Hello 42", L"J\u00f6rg \u0141ukasz \u00df", L"folder", std::nullopt, L"folder.png", true,
       "a folder named with letters GBK does not have"},
      {"Hello 42", L"\U00020000 \u6761\u7801", L"wide", 1, L"wide.bmp", false,
       "a character outside the Basic Multilingual Plane"},
      {"SW-2024-0042", L"plain", L"sized", std::nullopt, L"sized.png", true, "0.5 mm, 20 mm bars, no caption",
       kSized, 6, 236},
      {"SW-2024-0042", L"plain", L"vector", 2, L"vector.svg", false, "SVG chosen: the writer's file"},
      {"SW-2024-0042", L"plain", L"vector", 3, L"vector.emf", false, "EMF chosen: a metafile"},
      {"ABCDEFGHIJ1234567890abcdefghij0987654321", L"plain", L"forty.emf", 0, L"forty.emf", false,
       "a name ending .emf is an EMF; bars 15% of their width"},
  };
  const char* scan_folder = std::getenv("SW_SAVE_AS_SCAN_DIR");
  std::string manifest;
  testing::ForEachRow(rows, [&](const Row& row, std::size_t index) {
    Generate(row.content);
    const std::wstring folder = folder_.path() + L"\\" + row.folder;
    CreateDirectoryW(folder.c_str(), nullptr);
    DialogScript s{folder + L"\\" + row.typed_name, row.type};
    app::CurrentSettings().look = row.look;
    const std::vector<test::TipsSeen> tips = SaveAsBy(s);
    app::CurrentSettings() = {};
    const std::wstring path = folder + L"\\" + row.saved_name;
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips[0].window_id, TipsWindow::kId);
    EXPECT_EQ(tips[0].message, SavedTo(path));
    const std::vector<std::uint8_t> file = ReadFileBytes(path);
    ASSERT_FALSE(file.empty()) << "nothing at " << GbkFromWide(path);
    const std::wstring type = path.substr(path.size() - 3);
    const app::SymbolResult symbol = app::SymbolOf(row.content, app::CurrentSettings());
    ASSERT_TRUE(symbol.ok());
    if (type == L"svg") {
      const SvgWriting svg =
          SvgFromWidths(symbol.value().widths, symbol.value().caption, app::CurrentSettings().look);
      ASSERT_TRUE(svg.ok());
      EXPECT_EQ(std::string(file.begin(), file.end()), svg.value()) << "at the settings' size, the defaults";
      return;
    }
    if (type == L"emf") {
      // 0.01 mm: 0.33 mm modules and quiet zones; bars 10 mm or 15% of their width, the 10 pt caption's
      // 3.53 mm half its height below them in a line of 5/4 of it.
      const std::int64_t modules = ModuleCount(symbol.value().widths);
      const ScopedMetafile metafile(SetEnhMetaFileBits(static_cast<UINT>(file.size()), file.data()));
      RECT frame{};
      const std::vector<std::uint8_t> page = testing::PlayedBackBmp(metafile.get(), 600, frame);
      ASSERT_FALSE(page.empty()) << "played back";
      EXPECT_EQ(frame.right, (modules + 20) * 33);
      EXPECT_EQ(frame.bottom, std::max<std::int64_t>(1000, (modules * 33 * 15 + 99) / 100) + 176 + 442);
      const std::string name = "saved_as/" + std::to_string(index) + "-emf.bmp";
      if (scan_folder != nullptr) {
        ASSERT_TRUE(WriteBytesToFile(std::string(scan_folder) + "\\" + name, {page}));
        manifest += testing::ScanManifestLine(name, row.content);
      }
      return;
    }
    // The barcode as a 300 dpi printer prints it: along the top row, every bar and space (quiet zones
    // too) whole modules of `module_px`; the bars as high as chosen; ink under them only with a caption.
    const PictureDecoding decoded = DecodePictureBytes(file);
    ASSERT_TRUE(decoded.picture.has_value()) << DescribeDecodeFailure(decoded.failure);
    EXPECT_EQ(decoded.picture->kind, row.png ? PictureKind::kPng : PictureKind::kBmp);
    const std::int32_t width = decoded.picture->width, height = decoded.picture->height;
    const bool bmp = decoded.picture->kind == PictureKind::kBmp;  // 3 bytes a pixel, bottom-up
    auto ink = [&](std::int32_t x, std::int32_t y) {
      const auto row = static_cast<std::size_t>(bmp ? height - 1 - y : y);
      return decoded.picture->pixels[(bmp ? 3 : 4) * (row * width + x)] < 128;
    };
    std::vector<std::int32_t> runs{0};
    for (std::int32_t x = 0; x < width; ++x) {
      if (ink(x, 0) != (runs.size() % 2 == 0)) runs.push_back(0);
      ++runs.back();
    }
    const std::string widths = Code128Encoder().Widths(row.content);
    ASSERT_EQ(runs.size(), widths.size() + 2);
    EXPECT_EQ(runs.front(), 10 * row.module_px) << "the quiet zone";
    EXPECT_EQ(runs.back(), 10 * row.module_px);
    for (std::size_t i = 0; i < widths.size(); ++i) EXPECT_EQ(runs[i + 1], (widths[i] - '0') * row.module_px);
    std::int32_t bar_rows = 0;
    while (bar_rows < height && ink(runs.front(), bar_rows)) ++bar_rows;
    EXPECT_TRUE(row.bar_rows == 0 || bar_rows == row.bar_rows) << bar_rows << " rows of bars";
    bool under = false;
    for (std::int32_t y = bar_rows; y < height; ++y) {
      for (std::int32_t x = 0; x < width; ++x) under = under || ink(x, y);
    }
    EXPECT_EQ(under, row.look.caption) << "the caption as set";
    if (!row.png) {
      ASSERT_GE(file.size(), 46u);
      EXPECT_EQ(file[38] | file[39] << 8 | file[40] << 16 | file[41] << 24, 11811) << "biXPelsPerMeter";
      return;
    }
    const Phys phys = PhysOf(file);
    EXPECT_EQ(phys.x, 11811) << "300 dpi";
    EXPECT_EQ(phys.y, 11811);
    EXPECT_EQ(phys.unit, 1) << "pixels a metre";
    if (scan_folder != nullptr) {
      const std::string name = "saved_as/" + std::to_string(index) + ".png";
      ASSERT_TRUE(WriteBytesToFile(std::string(scan_folder) + "\\" + name, {file}));
      manifest += testing::ScanManifestLine(name, row.content);
    }
  });
  if (scan_folder != nullptr) {
    const std::string path = std::string(scan_folder) + "\\manifest.txt";
    ASSERT_TRUE(WriteBytesToFile(
        path, {std::span(reinterpret_cast<const std::uint8_t*>(manifest.data()), manifest.size())}));
  }
}

TEST_F(SaveAs, AsksBeforeReplacingAFile) {
  Generate("REPLACE ME");
  const std::wstring path = folder_.path() + L"\\existing.bmp";
  const std::vector<std::uint8_t> old_bytes = {'o', 'l', 'd'};
  ASSERT_TRUE(WriteBytesToFile(path, {old_bytes}));

  DialogScript no{path, std::nullopt, false};
  EXPECT_TRUE(SaveAsBy(no).empty());
  EXPECT_TRUE(no.asked_to_replace) << "the question came up";
  EXPECT_EQ(ReadFileBytes(path), old_bytes) << "No leaves the old file";

  DialogScript yes{path, std::nullopt, true};
  const std::vector<test::TipsSeen> tips = SaveAsBy(yes);
  EXPECT_TRUE(yes.asked_to_replace);
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(tips[0].message, SavedTo(path));
  EXPECT_TRUE(DecodePictureBytes(ReadFileBytes(path)).picture.has_value()) << "Yes replaces it";
}

TEST_F(SaveAs, ARunAsksOnceBeforeReplacingAndACancelKeepsOnlyWholeFiles) {
  Generate("SKU0098");
  app::CurrentSettings().count = 200;
  const std::wstring folder = folder_.path() + L"\\run";
  CreateDirectoryW(folder.c_str(), nullptr);
  const auto path_of = [&](int number, const wchar_t* type) {
    const std::wstring digits = std::to_wstring(number);
    return folder + L"\\Bar_Code_SKU" + std::wstring(4 - digits.size(), L'0') + digits + L"." + type;
  };
  const std::vector<std::uint8_t> old_bytes = {'o', 'l', 'd'};
  ASSERT_TRUE(WriteBytesToFile(path_of(100, L"svg"), {old_bytes}));
  ASSERT_TRUE(WriteBytesToFile(path_of(101, L"svg"), {old_bytes}));

  app_.CloseTipsBy(test::TipsCloser::kEscape);  // 取消, focused first
  DialogScript no{path_of(98, L"svg")};
  std::vector<test::TipsSeen> tips = SaveAsBy(no);
  app_.CloseTipsBy(test::TipsCloser::kOkButton);
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(tips[0].message, app::ReplaceQuestion(2)) << "the two files of the run, asked about once";
  EXPECT_EQ(testing::TempFolder::Names(folder).size(), 2u) << "No saves nothing";

  DialogScript yes{path_of(98, L"svg")};
  tips = SaveAsBy(yes);
  ASSERT_EQ(tips.size(), 2u);
  EXPECT_EQ(tips[1].message, SavedTo(folder));
  EXPECT_EQ(testing::TempFolder::Names(folder).size(), 200u);
  EXPECT_NE(ReadFileBytes(path_of(101, L"svg")), old_bytes) << "replaced by the run's SVG";

  // Cancelled as soon as the progress window shows: the files written stay, each whole, and no other.
  app_.CancelNextProgress();
  DialogScript png{path_of(98, L"png")};
  tips = SaveAsBy(png);
  const std::optional<test::ProgressSeen> progress = app_.TakeProgress();
  app::CurrentSettings() = {};
  ASSERT_TRUE(progress.has_value()) << "the progress window showed";
  EXPECT_EQ(progress->title, app::kSavingTitle);
  EXPECT_EQ(progress->line.rfind(app::kProgressLineStart, 0), 0u) << progress->line;
  EXPECT_TRUE(progress->owner_disabled);
  EXPECT_TRUE(IsWindowEnabled(main_window)) << "enabled again after";
  std::size_t pngs = 0;
  while (GetFileAttributesW(path_of(98 + static_cast<int>(pngs), L"png").c_str()) !=
         INVALID_FILE_ATTRIBUTES) {
    EXPECT_TRUE(DecodePictureBytes(ReadFileBytes(path_of(98 + static_cast<int>(pngs), L"png"))).picture)
        << pngs;
    ++pngs;
  }
  EXPECT_GT(pngs, 0u);
  EXPECT_LT(pngs, 200u) << "stopped at once";
  EXPECT_EQ(testing::TempFolder::Names(folder).size(), 200u + pngs) << "no partial or temporary file";
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(tips[0].message, app::CancelledSaveMessage(pngs, 200, GbkFromWide(folder)));
}

TEST_F(SaveAs, WithoutABarcodeAsksForOne) {
  app::FullSizeBarcode().clear();
  DialogScript s{L"never"};
  const std::vector<test::TipsSeen> tips = SaveAsBy(s);
  EXPECT_FALSE(s.opened) << "no dialog";
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(tips[0].window_id, ErrorTipsWindow::kId);
  EXPECT_EQ(tips[0].message, app::kNoBarcodeMessage);
}

}  // namespace
}  // namespace sw

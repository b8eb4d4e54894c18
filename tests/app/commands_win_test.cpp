// The program's commands and window behaviour under Wine, through the real windows and handlers: the cue
// text, generate (the picture, the full-size copy at C:\1.bmp with its caption), save (messages, names,
// path safety, whole-or-nothing replacement), the web page, closing, dragging and the tips windows.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/app_texts.h"
#include "app/barcode_settings.h"
#include "app/commands.h"
#include "app/program_state.h"
#include "base/bmp_format.h"
#include "base/byte_reader.h"
#include "base/handles_win.h"
#include "base/text_codepage_win.h"
#include "encode/code128_encoder.h"
#include "render/bitmap.h"
#include "tests/app/app_driver_win.h"
#include "tests/app/shared_app_test_win.h"
#include "tests/support/case_table.h"
#include "tests/support/temp_folder_win.h"
#include "ui/files/clipboard_win.h"
#include "ui/files/file_services_win.h"
#include "ui/runtime/unit_events.h"

namespace sw {
namespace {

using namespace layout;
using test::AppDriver;
using test::ClipboardText;
using test::FileExists;
using test::PutClipboardText;
using test::ReadFileBytes;
using test::TipsSeen;

// The picture box's picture: 344 x 120 at 24 bits, rows padded to 4 bytes, after the two BMP headers.
constexpr std::int32_t kPictureWidth = 344;
constexpr std::int32_t kPictureHeight = 120;
constexpr std::size_t kBmpHeaders = bmp::kSmallestFile;
constexpr std::size_t kPictureBytes =
    kBmpHeaders + (kPictureWidth * 3 + 3) / 4 * 4 * kPictureHeight;  // 123894
static_assert(kPictureBytes == 123894);

// The full-size barcode: 3 pixels a module, 50 + 52 margin columns, 150 rows, bars in rows 1 to 110.
constexpr std::int32_t kCanvasHeight = 150;
constexpr std::int32_t kLastBarRow = 110;
constexpr std::int32_t kCaptionFontPoints = 24;  // BarcodePanel's font, height -32 at 96 pixels an inch
constexpr std::int32_t kCaptionCharWidth = kCaptionFontPoints * 7 / 10;  // the estimate's width of one byte

struct BmpHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;
  int bits = 0;
};

BmpHeader HeaderOf(const std::vector<std::uint8_t>& file) {
  BmpHeader header;
  ByteReader in(file);
  if (file.size() < kBmpHeaders || in.U16At(bmp::kBfType) != bmp::kFileType) return header;
  header.width = in.I32At(bmp::kFileHeaderSize + bmp::kBiWidth);
  header.height = in.I32At(bmp::kFileHeaderSize + bmp::kBiHeight);
  header.bits = in.U16At(bmp::kFileHeaderSize + bmp::kBiBitCount);
  return header;
}

std::string C1Path() { return std::string(app::kFullSizeCopyPath); }

std::string SavedPathFor(std::string_view content) { return app::SavedFilePath(ProgramDirectory(), content); }

std::string FailedToSave() { return std::string(app::kSaveFailedMessage); }

// "文件已保存到：" and "感谢使用！" in GBK: the success message's two parts around the path.
const std::string kSavedTo = "\xce\xc4\xbc\xfe\xd2\xd1\xb1\xa3\xb4\xe6\xb5\xbd\xa3\xba";
const std::string kThanks = "\xb8\xd0\xd0\xbb\xca\xb9\xd3\xc3\xa3\xa1";

// C:\1.bmp, read into `full`: the bars exactly as the bare barcode has them.
void ExpectFullSizeBarsOf(std::string_view content, Bitmap& full) {
  std::vector<std::uint8_t> full_bytes = ReadFileBytes(C1Path());
  ASSERT_TRUE(full.LoadData(full_bytes)) << "C:\\1.bmp is missing or unreadable";
  Code128Encoder bare_encoder;
  Bitmap bare = bare_encoder.MakeBarcode(content);
  ASSERT_EQ(full.GetWidth(), bare.GetWidth());
  ASSERT_EQ(full.GetHeight(), kCanvasHeight);
  const std::int32_t width = full.GetWidth();
  int mismatches = 0;
  for (std::int32_t y = 0; y <= kLastBarRow; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      mismatches += (full.GetPixel(x, y) == 0) != (bare.GetPixel(x, y) == 0);
    }
  }
  EXPECT_EQ(mismatches, 0) << "rows 0 to 110 are the bars";
}

// C:\1.bmp: the bars exactly as the bare barcode has them, the caption under them where it belongs.
void ExpectFullSizeCopyOf(std::string_view content) {
  Bitmap full;
  ExpectFullSizeBarsOf(content, full);
  if (::testing::Test::HasFatalFailure()) return;
  EXPECT_EQ(full.GetBitCount(), 24);
  const std::int32_t width = full.GetWidth();

  const auto estimated_width = static_cast<std::int32_t>(content.size()) * kCaptionCharWidth;
  const auto caption_x = static_cast<std::int32_t>(width / 2.0 - estimated_width / 2.0);
  const auto caption_y = static_cast<std::int32_t>(kCanvasHeight - 1.5 * kCaptionFontPoints);
  std::int32_t left = width, top = kCanvasHeight, right = -1;
  for (std::int32_t y = kLastBarRow + 1; y < kCanvasHeight; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      if (full.GetPixel(x, y) != 0x000000) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
    }
  }
  ASSERT_GE(right, 0) << "no caption under the bars";
  EXPECT_GE(top, caption_y) << "the caption's cell starts 1.5 font sizes above the bottom";
  EXPECT_LE(top, caption_y + kCaptionFontPoints / 2) << "its letters begin near the top of the cell";
  EXPECT_GE(left, caption_x) << "centred by its estimated width";
  EXPECT_LE(left, caption_x + kCaptionCharWidth);
  EXPECT_GT(right, width / 2) << "the caption runs across the middle";
}

// Black pixels in the bar rows of a shown picture, whatever its bit count.
int BlackPixelsInBarRows(const std::vector<std::uint8_t>& picture) {
  Bitmap shown;
  if (!shown.LoadData(picture)) return 0;
  const std::int32_t width = std::min(shown.GetWidth(), kPictureWidth);
  const std::int32_t bottom = std::min(shown.GetHeight(), 80);
  int black = 0;
  for (std::int32_t y = 10; y < bottom; ++y) {  // well inside the scaled bar rows
    for (std::int32_t x = 0; x < width; ++x) black += shown.GetPixel(x, y) == 0;
  }
  return black;
}

// Every test starts from the state of a fresh start: no picture, the cue text, no messages.
class AppCommands : public test::SharedAppTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app_.ready()) << app_.error();
    app_.Pump();
    app_.TakeTips();
    runtime().SetPicture(MainWindow::kBarcodePicture, {});
    app::FullSizeBarcode().clear();
    app::GeneratedContent().clear();
    runtime().SetFocusTo(MainWindow::kFocusSink);
    app_.SetContent(app::kCueText);
    app_.CloseTipsBy(test::TipsCloser::kOkButton);
    app::TipsMessage().clear();
    app::SavedPath().clear();
  }
  void TearDown() override {
    for (const std::string& path : saved_) DeleteFileW(WideFromGbk(path).c_str());
  }
  // Generate for `content` and expect no message.
  void Generate(std::string_view content) { EXPECT_TRUE(app_.Generate(content).empty()) << content; }
  void Press(UINT key, std::int32_t shift_state = 0, bool held = false) {
    app_.PressAndSettle(key, shift_state, held);
  }
  void Settle() { app_.Settle(); }
  std::vector<TipsSeen> Save() {
    app_.Click(MainWindow::kSaveButton);
    app_.Pump();
    saved_.push_back(app::SavedPath());
    return app_.TakeTips();
  }
  std::vector<std::string> saved_;  // every path a save attempted, removed afterwards
};

TEST_F(AppCommands, ContentBoxShowsTheCueTextWhileEmpty) {
  struct Row {
    std::string_view before;
    std::string_view while_focused;
    std::string_view after;
    const char* reason;
  };
  const std::string cue(app::kCueText);
  const std::string cue_and_more = cue + "1";
  const Row rows[] = {
      {cue, "", cue, "the cue text goes on focus and comes back when the box is left empty"},
      {"", "", cue, "an empty box gets the cue text when it loses the focus"},
      {"ABC123", "ABC123", "ABC123", "the user's text stays"},
      {cue_and_more, cue_and_more, cue_and_more, "only the exact cue text is removed"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    app_.SetContent(row.before);
    runtime().SetFocusTo(MainWindow::kContentEdit);
    EXPECT_EQ(app_.Content(), row.while_focused);
    runtime().SetFocusTo(MainWindow::kFocusSink);
    EXPECT_EQ(app_.Content(), row.after);
  });
}

TEST_F(AppCommands, MainWindowHasItsShadow) {
  const HWND main = runtime().Handle(MainWindow::kId);
  const HWND shadow = static_cast<HWND>(GetPropA(main, "Umbra.WndShadow"));
  ASSERT_NE(shadow, nullptr);
  EXPECT_TRUE(IsWindowVisible(shadow));
}

TEST_F(AppCommands, GenerateShowsTheScaledPictureAndWritesTheFullSizeCopy) {
  DeleteFileW(L"C:\\1.bmp");
  Generate("ABC123");
  const std::vector<std::uint8_t> picture = app_.Picture();
  ASSERT_EQ(picture.size(), kPictureBytes);
  const BmpHeader shown = HeaderOf(picture);
  EXPECT_EQ(shown.width, kPictureWidth);
  EXPECT_EQ(shown.height, kPictureHeight);
  EXPECT_EQ(shown.bits, 24);
  EXPECT_EQ(app_.Content(), "ABC123") << "generating leaves the box as it was";
  EXPECT_FALSE(runtime().IsLoaded(BarcodeHostWindow::kId)) << "the host window goes with the command";

  ExpectFullSizeCopyOf("ABC123");
}

TEST_F(AppCommands, GeneratingTwiceInARowShowsTheSecondBarcode) {
  Generate("1234");
  const std::vector<std::uint8_t> first = app_.Picture();
  Generate("HelloWorld");
  const std::vector<std::uint8_t> second = app_.Picture();
  ASSERT_EQ(first.size(), kPictureBytes);
  ASSERT_EQ(second.size(), kPictureBytes);
  EXPECT_NE(first, second);
  Generate("1234");
  EXPECT_EQ(app_.Picture(), first) << "the same content, the same picture";
}

TEST_F(AppCommands, EmptyContentIsRefusedAndLeavesThePicture) {
  struct Row {
    std::string_view box;
    bool focused;  // the box has the focus when generate is clicked
    const char* reason;
  };
  // The first row before any barcode, the others with one shown.
  const Row rows[] = {
      {app::kCueText, false, "no barcode yet: still no picture"},
      {"", true, "the user emptied the box: it gets its cue text back first"},
      {app::kCueText, false, "the cue text counts as no content"},
      {app::kCueText, true, "the cue text went on focus and comes back"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    if (&row == &rows[1]) Generate("KEEP1");
    const std::vector<std::uint8_t> before = app_.Picture();
    runtime().SetFocusTo(MainWindow::kFocusSink);
    app_.SetContent(row.box);
    if (row.focused) runtime().SetFocusTo(MainWindow::kContentEdit);
    app_.Click(MainWindow::kGenerateButton);
    app_.Pump();
    const std::vector<TipsSeen> tips = app_.TakeTips();
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips[0].window_id, ErrorTipsWindow::kId);
    EXPECT_EQ(tips[0].message, app::kEmptyContentMessage);
    EXPECT_TRUE(tips[0].owner_disabled) << "modal over MainWindow";
    EXPECT_EQ(app_.Picture(), before);
    EXPECT_EQ(app_.Content(), app::kCueText);
    EXPECT_FALSE(runtime().IsLoaded(BarcodeHostWindow::kId));
  });
  EXPECT_TRUE(IsWindowEnabled(runtime().Handle(MainWindow::kId)))
      << "enabled again once the message is closed";
}

TEST_F(AppCommands, GenerateSaysWhatTheBarsLeaveOutOrWhyGs1Refuses) {
  Generate("KEEP1");
  const std::vector<std::uint8_t> kept = app_.Picture();
  app::CurrentSettings().gs1 = true;  // a wrong check digit: refused, and the barcode stays
  std::vector<TipsSeen> tips = app_.Generate("(01)09501101530004");
  app::CurrentSettings().gs1 = false;
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(tips[0].window_id, ErrorTipsWindow::kId);
  EXPECT_EQ(app_.Picture(), kept);
  EXPECT_EQ(app::GeneratedContent(), "KEEP1");
  tips = app_.Generate(
      "\xcc\xf5\xc2\xeb"
      "12\t");  // plain: the barcode of the rest, then what is left out
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(tips[0].message, std::string(app::kLeftOutMessageStart) + "\xcc\xf5\xc2\xeb\\x09");
  EXPECT_NE(app_.Picture(), kept);
}

TEST_F(AppCommands, LongContentsShowTheirBarsWithoutFailing) {
  // Wider than a window or a decoded picture can be (33207 pixels): still the whole barcode.
  const std::string thousand(1000, 'A');
  Generate(thousand);
  ASSERT_EQ(app_.Picture().size(), kPictureBytes) << "1,000 characters still make a picture";
  EXPECT_GT(BlackPixelsInBarRows(app_.Picture()), kPictureWidth * 10) << "with its bars";
  ExpectFullSizeCopyOf(thousand);
  // The most the box takes, about a million pixels wide: its captioned image is too large to load
  // here (24 bits a pixel). Then the bare bars stay, whole and scannable, shown and in the full-size
  // copy; never a cut barcode, and never none.
  const auto limit = static_cast<std::size_t>(
      SendMessageW(runtime().Handle(MainWindow::kContentEdit), EM_GETLIMITTEXT, 0, 0));
  ASSERT_GT(limit, 1000u);
  const std::string widest(limit, 'B');
  DeleteFileW(L"C:\\1.bmp");
  Generate(widest);
  const BmpHeader shown = HeaderOf(app_.Picture());
  EXPECT_EQ(shown.width, kPictureWidth) << "a picture, not none";
  EXPECT_EQ(shown.height, kPictureHeight);
  EXPECT_EQ(shown.bits, 24) << "of the same depth as every other picture";
  EXPECT_EQ(app_.Picture().size(), kPictureBytes);
  EXPECT_GT(BlackPixelsInBarRows(app_.Picture()), kPictureWidth * 10) << "with its bars";
  Bitmap full;
  ExpectFullSizeBarsOf(widest, full);
  EXPECT_EQ(full.GetBitCount(), 1) << "the bare bars: the captioned image could not be held";
  Generate("Z9");
  EXPECT_EQ(app_.Picture().size(), kPictureBytes) << "and the next barcode works as ever";
}

TEST_F(AppCommands, SavingBeforeAnyBarcodeAsksForOne) {
  const std::vector<TipsSeen> tips = Save();
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(tips[0].window_id, ErrorTipsWindow::kId);
  EXPECT_EQ(tips[0].message, app::kNoBarcodeMessage);
  EXPECT_EQ(app::SavedPath(), "") << "no path was even tried";
}

TEST_F(AppCommands, SaveWritesThePictureUnderTheBoxTextOfTheMoment) {
  Generate("ABC123");
  const std::vector<std::uint8_t> picture = app_.Picture();
  const std::string cue(app::kCueText);
  struct Row {
    std::string_view box;
    const char* reason;
  };
  const Row rows[] = {
      {"ABC123", "the content that was encoded"},
      {"Renamed 7", "the box's text when saving, not the encoded content"},
      {cue, "the cue text names the file as it is (Chinese file name)"},
      {"ABC123", "a second save of the same name replaces the file"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    app_.SetContent(row.box);
    const std::vector<TipsSeen> tips = Save();
    const std::string path = SavedPathFor(row.box);
    EXPECT_EQ(app::SavedPath(), path);
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips[0].window_id, TipsWindow::kId);
    EXPECT_EQ(tips[0].message, kSavedTo + path + "\r\n" + kThanks);
    EXPECT_EQ(ReadFileBytes(path), picture);
    EXPECT_EQ(app_.Picture(), picture) << "saving leaves the picture";
  });
}

TEST_F(AppCommands, SaveRefusesContentsThatLeaveTheFolderOrCannotNameAFile) {
  Generate("SAFE1");
  // A folder named like the start of a content with a separator: nothing may land inside it.
  const std::string trap_folder = ProgramDirectory() + "\\Bar_Code_trap";
  CreateDirectoryW(WideFromGbk(trap_folder).c_str(), nullptr);
  struct Row {
    std::string_view content;
    std::string_view must_not_exist;  // file name in the program folder, or path below the trap folder
    const char* reason;
  };
  const Row rows[] = {
      {"trap\\x", "Bar_Code_trap\\x.bmp", "a backslash would write into a subfolder"},
      {"trap/x", "Bar_Code_trap\\x.bmp", "so would a slash"},
      {"..\\..\\x", "x.bmp", "or out of the program folder"},
      {"strm:x", "Bar_Code_strm", "a colon would write an alternate data stream"},
      {"tab\tx", "Bar_Code_tab\tx.bmp", "control bytes have no place in a file name"},
      {"star*x", "Bar_Code_star*x.bmp", "characters a file name cannot hold fail"},
      {"pipe|x", "Bar_Code_pipe|x.bmp", "so do the others of their kind"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    app_.SetContent(row.content);
    const std::vector<TipsSeen> tips = Save();
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips[0].window_id, TipsWindow::kId);
    EXPECT_EQ(tips[0].message, FailedToSave());
    EXPECT_EQ(app::SavedPath(), SavedPathFor(row.content)) << "the attempted path is kept";
    EXPECT_FALSE(FileExists(ProgramDirectory() + "\\" + std::string(row.must_not_exist)));
  });
  EXPECT_TRUE(RemoveDirectoryW(WideFromGbk(trap_folder).c_str())) << "the trap folder is still empty";
}

TEST_F(AppCommands, AFailedSaveLeavesTheOldFileWhole) {
  const std::string path = SavedPathFor("Held1");
  saved_.push_back(path);
  const std::vector<std::uint8_t> old_bytes = {'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e'};
  ASSERT_TRUE(WriteBytesToFile(path, {old_bytes}));
  Generate("Held1");
  // Another program holds the file open without sharing: the save fails and the file stays as it was.
  HANDLE held = CreateFileW(WideFromGbk(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const std::vector<TipsSeen> tips = Save();
  CloseHandle(held);
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(tips[0].message, FailedToSave());
  EXPECT_EQ(ReadFileBytes(path), old_bytes);
  for (const std::string& temporary : {path + "*.tmp", ProgramDirectory() + "\\~sw*.tmp"}) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WideFromGbk(temporary).c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "no temporary file is left beside it";
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
  }
  // Released, the next save replaces it whole.
  EXPECT_EQ(Save().at(0).message.rfind(app::kSavedMessageStart, 0), 0u);
  EXPECT_EQ(ReadFileBytes(path), app_.Picture());
}

TEST_F(AppCommands, TheWebButtonOpensTheMakersPage) {
  AppDriver::TakeOpenedPages();
  app_.Click(MainWindow::kWebButton);
  EXPECT_EQ(AppDriver::TakeOpenedPages(), std::vector<std::string>{std::string(app::kMakerPageAddress)});
  EXPECT_TRUE(runtime().IsLoaded(MainWindow::kId));
}

TEST(AppClosing, ClosingTheMainWindowOpensThePageOnceAndEndsTheLoop) {
  AppDriver app;
  ASSERT_TRUE(app.ready()) << app.error();
  AppDriver::TakeOpenedPages();
  app.Click(MainWindow::kCloseButton);
  EXPECT_TRUE(AppDriver::TakeOpenedPages().empty()) << "the window goes after the click has been handled";
  EXPECT_EQ(app.runtime().RunUntilClosed(MainWindow::kId), 0);
  EXPECT_FALSE(app.runtime().IsLoaded(MainWindow::kId));
  EXPECT_EQ(AppDriver::TakeOpenedPages(), std::vector<std::string>{std::string(app::kMakerPageAddress)});
}

// Records the drag message instead of letting the system start its move loop.
LRESULT CALLBACK RecordDrag(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                            DWORD_PTR data) {
  if (message == WM_NCLBUTTONDOWN) {
    reinterpret_cast<std::vector<std::pair<WPARAM, LPARAM>>*>(data)->push_back({wparam, lparam});
    return 0;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

TEST_F(AppCommands, WindowsAreDraggedByTheirTitleBarAndLabelOnly) {
  ASSERT_TRUE(runtime().LoadWindow(ErrorTipsWindow::kId, MainWindow::kId).ok());
  ASSERT_TRUE(runtime().LoadWindow(TipsWindow::kId, MainWindow::kId).ok());
  struct Row {
    std::uint32_t window;
    std::uint32_t unit;
    POINT at;  // a point of the unit that no child covers
    bool drags;
    const char* reason;
  };
  const Row rows[] = {
      {MainWindow::kId,
       MainWindow::kTitleBar,
       {463, 14},
       true,
       "the title bar between label and close button"},
      {MainWindow::kId, MainWindow::kTitleLabel, {100, 14}, true, "the title text"},
      {MainWindow::kId, MainWindow::kTitleIcon, {10, 10}, false, "the icon does not drag"},
      {MainWindow::kId, MainWindow::kCloseButton, {10, 10}, false, "nor does the close button"},
      {MainWindow::kId, MainWindow::kBarcodePicture, {10, 10}, false, "nor the rest of the window"},
      // 5
      {ErrorTipsWindow::kId, ErrorTipsWindow::kTipsTitleBar, {355, 14}, true, "Error Tips: its title bar"},
      {ErrorTipsWindow::kId, ErrorTipsWindow::kTipsTitleLabel, {100, 14}, true, "Error Tips: its title"},
      {TipsWindow::kId, TipsWindow::kTipsTitleLabel, {100, 14}, true, "Tips: its title"},
      {TipsWindow::kId, TipsWindow::kTipsTitleBar, {2, 14}, false, "Tips: the bar itself has no handler"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    std::vector<std::pair<WPARAM, LPARAM>> drags;
    const HWND window = runtime().Handle(row.window);
    ASSERT_TRUE(SetWindowSubclass(window, RecordDrag, 1, reinterpret_cast<DWORD_PTR>(&drags)));
    SendMessageW(runtime().Handle(row.unit), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row.at.x, row.at.y));
    ReleaseCapture();  // a pressed button lets go without a click
    RemoveWindowSubclass(window, RecordDrag, 1);
    if (row.drags) {
      ASSERT_EQ(drags.size(), 1u);
      EXPECT_EQ(drags[0].first, static_cast<WPARAM>(HTCAPTION));
      EXPECT_EQ(drags[0].second, 0) << "no position argument";
    } else {
      EXPECT_TRUE(drags.empty());
    }
  });
  EXPECT_TRUE(runtime().IsLoaded(MainWindow::kId)) << "no close button was clicked";
  runtime().DestroyWindowLater(ErrorTipsWindow::kId);
  runtime().DestroyWindowLater(TipsWindow::kId);
  app_.Pump();
}

TEST_F(AppCommands, EachTipsWindowShowsTheMessageOfItsOpeningWithANewShadow) {
  // Through the save command: the no-data message in Error Tips, then twice the outcome in Tips.
  std::vector<TipsSeen> seen = Save();
  Generate("Twice1");
  app_.SetContent("Twice1");
  for (const TipsSeen& tips : Save()) seen.push_back(tips);
  app_.SetContent("Twice2");
  for (const TipsSeen& tips : Save()) seen.push_back(tips);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].message, app::kNoBarcodeMessage);
  EXPECT_EQ(seen[1].message, app::SavedMessage(SavedPathFor("Twice1")));
  EXPECT_EQ(seen[2].message, app::SavedMessage(SavedPathFor("Twice2")))
      << "the second message, not the first";
  saved_.push_back(SavedPathFor("Twice1"));
  for (const TipsSeen& tips : seen) {
    EXPECT_TRUE(tips.owner_disabled);
    EXPECT_NE(tips.shadow, nullptr);
    EXPECT_FALSE(IsWindow(tips.shadow)) << "its shadow went with it";
  }
  EXPECT_NE(seen[1].shadow, seen[2].shadow);

  // An empty message still replaces the label's stored text.
  app::TipsMessage().clear();
  ASSERT_TRUE(runtime().LoadWindow(TipsWindow::kId, MainWindow::kId).ok());
  EXPECT_EQ(runtime().GetText(TipsWindow::kTipsMessageLabel), "");
}

TEST_F(AppCommands, HostWindowShrinksToNothingWhenLoaded) {
  ASSERT_TRUE(runtime().LoadWindow(BarcodeHostWindow::kId).ok());
  RECT rect{};
  GetWindowRect(runtime().Handle(BarcodeHostWindow::kId), &rect);
  EXPECT_EQ(rect.right - rect.left, 0);
  EXPECT_EQ(rect.bottom - rect.top, 0);
  EXPECT_FALSE(IsWindowVisible(runtime().Handle(BarcodeHostWindow::kId)));
  DestroyWindow(runtime().Handle(BarcodeHostWindow::kId));
}

TEST_F(AppCommands, KeysOfTheMainWindow) {
  enum Outcome { kGenerated, kRefusedAsEmpty, kSaved, kAskedForABarcode, kSelectedAll, kNothing };
  // kPressed: a press and release. kLoneRepeat: only an auto-repeat, of a key held since before.
  // kHeldWhileTyping: a press, "X" typed, then auto-repeats of the held key, then the release.
  enum Stroke { kPressed, kLoneRepeat, kHeldWhileTyping };
  struct Row {
    std::string_view box;
    std::uint32_t focus;
    UINT key;
    std::int32_t shift_state;
    Stroke stroke;
    bool barcode_before;  // one is generated (clicked) first
    Outcome outcome;
    const char* reason;
  };
  constexpr std::int32_t kCtrl = event::kCtrlDown;
  const Row rows[] = {
      {"KEY123", MainWindow::kContentEdit, VK_RETURN, 0, kPressed, false, kGenerated,
       "Enter in the box generates, and the box keeps the focus for typing on"},
      {app::kCueText, MainWindow::kContentEdit, VK_RETURN, 0, kPressed, true, kRefusedAsEmpty,
       "an empty box: the click's message, the picture stays"},
      {"KEY123", MainWindow::kContentEdit, VK_RETURN, event::kShiftDown, kPressed, false, kNothing,
       "Shift+Enter is another key"},
      {"KEY123", MainWindow::kContentEdit, VK_RETURN, 0, kLoneRepeat, false, kNothing,
       "a held Enter acts once only"},
      {"KEY123", MainWindow::kFocusSink, VK_RETURN, 0, kPressed, false, kNothing,
       "Enter outside the box"},  // 5
      {"SAVE1", MainWindow::kContentEdit, 'S', kCtrl, kPressed, true, kSaved, "Ctrl+S in the box saves"},
      {"SAVE2", MainWindow::kFocusSink, 'S', kCtrl, kPressed, true, kSaved,
       "so it does anywhere in the window"},
      {"SAVE3", MainWindow::kContentEdit, 'S', kCtrl, kPressed, false, kAskedForABarcode,
       "no barcode yet: the click's message"},
      {"SAVE4", MainWindow::kContentEdit, 'S', kCtrl | event::kAltDown, kPressed, true, kNothing,
       "Ctrl+Alt+S (AltGr+S) is another key"},
      {"HELD7", MainWindow::kContentEdit, VK_RETURN, 0, kHeldWhileTyping, false, kGenerated,
       "Enter held down: its press generates, its repeats do not"},  // 10
      {"PICK ME", MainWindow::kContentEdit, 'A', kCtrl, kPressed, false, kSelectedAll,
       "Ctrl+A selects the box's whole text"},
      {"PICK ME", MainWindow::kContentEdit, 'A', 0, kPressed, false, kNothing, "A alone selects nothing"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    SetUp();
    if (row.barcode_before) Generate("BEFORE1");
    const std::vector<std::uint8_t> before = app_.Picture();
    DeleteFileW(L"C:\\1.bmp");
    app_.SetContent(row.box);
    runtime().SetFocusTo(row.focus);
    const HWND box = runtime().Handle(MainWindow::kContentEdit);
    SendMessageW(box, EM_SETSEL, 0, 0);
    if (row.stroke == kHeldWhileTyping) {
      AppDriver::KeyDown(row.key, row.shift_state, false);
      AppDriver::Type(L"X");
      for (int repeat = 0; repeat < 3; ++repeat) AppDriver::KeyDown(row.key, row.shift_state, true);
      AppDriver::KeyUp(row.key, row.shift_state);
      Settle();
    } else {
      Press(row.key, row.shift_state, row.stroke == kLoneRepeat);
    }
    const std::vector<TipsSeen> tips = app_.TakeTips();
    saved_.push_back(SavedPathFor(row.box));
    DWORD selection_start = 0;
    DWORD selection_end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&selection_start),
                 reinterpret_cast<LPARAM>(&selection_end));
    const std::string typed = row.stroke == kHeldWhileTyping ? "X" : "";
    switch (row.outcome) {
      case kGenerated: {
        EXPECT_TRUE(tips.empty());
        EXPECT_EQ(GetFocus(), box) << "the focus is back in the box";
        EXPECT_EQ(app_.Content(), std::string(row.box) + typed) << "and what was typed went there";
        EXPECT_EQ(selection_start, app_.Content().size()) << "the caret after the last character";
        EXPECT_EQ(selection_end, selection_start);
        EXPECT_TRUE(FileExists(C1Path()));
        const std::vector<std::uint8_t> by_key = app_.Picture();
        EXPECT_EQ(by_key.size(), kPictureBytes);
        // Typing on and pressing Enter again makes the next barcode.
        AppDriver::Type(L"9");
        Press(VK_RETURN);
        const std::vector<std::uint8_t> again = app_.Picture();
        Generate(row.box);
        EXPECT_EQ(by_key, app_.Picture()) << "the picture a click makes";
        Generate(std::string(row.box) + typed + "9");
        EXPECT_EQ(again, app_.Picture()) << "the second Enter's barcode has what was typed on";
        break;
      }
      case kRefusedAsEmpty:
      case kAskedForABarcode:
        ASSERT_EQ(tips.size(), 1u);
        EXPECT_EQ(tips[0].window_id, ErrorTipsWindow::kId);
        EXPECT_EQ(tips[0].message,
                  row.outcome == kRefusedAsEmpty ? app::kEmptyContentMessage : app::kNoBarcodeMessage);
        EXPECT_EQ(app_.Picture(), before);
        if (row.outcome == kRefusedAsEmpty) {
          EXPECT_EQ(GetFocus(), box) << "back in the box after the message";
          EXPECT_EQ(app_.Content(), "") << "which is empty and ready for typing, without its cue text";
        }
        break;
      case kSaved:
        ASSERT_EQ(tips.size(), 1u);
        EXPECT_EQ(tips[0].message, app::SavedMessage(SavedPathFor(row.box)));
        EXPECT_EQ(ReadFileBytes(SavedPathFor(row.box)), app_.Picture());
        EXPECT_EQ(GetFocus(), runtime().Handle(row.focus)) << "once the message is closed, where it was";
        break;
      case kSelectedAll:
        EXPECT_TRUE(tips.empty());
        EXPECT_EQ(app_.Content(), row.box) << "no character typed";
        EXPECT_EQ(selection_start, 0u);
        EXPECT_EQ(selection_end, row.box.size());
        break;
      case kNothing:
        EXPECT_TRUE(tips.empty());
        EXPECT_EQ(app_.Picture(), before);
        EXPECT_EQ(selection_end, selection_start) << "nothing selected";
        EXPECT_FALSE(FileExists(C1Path())) << "no generate";
        EXPECT_FALSE(FileExists(SavedPathFor(row.box))) << "no save";
        break;
    }
  });
}

TEST_F(AppCommands, EnterAndEscCloseATipsWindowAsItsOkButton) {
  struct Row {
    test::TipsCloser closer;
    bool barcode_before;  // the save then reports in Tips, else in Error Tips
    std::uint32_t window;
    const char* reason;
  };
  const Row rows[] = {
      {test::TipsCloser::kEnter, false, ErrorTipsWindow::kId, "Enter closes Error Tips"},
      {test::TipsCloser::kEscape, false, ErrorTipsWindow::kId, "so does Esc"},
      {test::TipsCloser::kEnter, true, TipsWindow::kId, "Enter closes Tips"},
      {test::TipsCloser::kEscape, true, TipsWindow::kId, "so does Esc"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    SetUp();
    if (row.barcode_before) Generate("TIPS1");
    app_.SetContent("TIPS1");
    app_.CloseTipsBy(row.closer);
    const std::vector<TipsSeen> tips = Save();
    app_.CloseTipsBy(test::TipsCloser::kOkButton);
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips[0].window_id, row.window);
    EXPECT_TRUE(tips[0].closed_by_key);
    EXPECT_FALSE(runtime().IsLoaded(row.window));
    EXPECT_TRUE(IsWindowEnabled(runtime().Handle(MainWindow::kId)));
  });
}

TEST_F(AppCommands, CtrlCCopiesTheSelectionElseTheLastBarcode) {
  enum Copied { kNothing, kSelection, kLastBarcode };
  struct Row {
    std::string_view generate;  // clicked first, if any; the cue text is refused
    std::string_view box;       // the box's text at Ctrl+C
    std::uint32_t focus;
    bool select_all;
    Copied copied;
    const char* reason;
  };
  const Row rows[] = {
      {"", "NONE1", MainWindow::kContentEdit, false, kNothing, "no barcode yet: nothing, and no message"},
      {"COPY-1", "EDITED", MainWindow::kContentEdit, false, kLastBarcode,
       "no selection: the barcode as generated, though the box has changed since"},
      {"", "EDITED", MainWindow::kFocusSink, false, kLastBarcode, "from anywhere in the window"},
      {"", "SELECTED", MainWindow::kContentEdit, true, kSelection,
       "a selection: its text, as an edit box copies"},
      {app::kCueText, "AFTER", MainWindow::kFocusSink, false, kLastBarcode,
       "a refused generate keeps the copy"},
  };
  const HWND main = runtime().Handle(MainWindow::kId);
  std::vector<std::uint8_t> last_barcode;  // C:\1.bmp of the last generate
  testing::ForEachRow(rows, [&](const Row& row) {
    if (row.generate == app::kCueText) {
      app_.SetContent(row.generate);
      app_.Click(MainWindow::kGenerateButton);
      app_.Pump();
      ASSERT_EQ(app_.TakeTips().size(), 1u);
    } else if (!row.generate.empty()) {
      Generate(row.generate);
      last_barcode = ReadFileBytes(C1Path());
      ASSERT_FALSE(last_barcode.empty());
    }
    app_.SetContent(row.box);
    runtime().SetFocusTo(row.focus);
    if (row.select_all) SendMessageW(runtime().Handle(MainWindow::kContentEdit), EM_SETSEL, 0, -1);
    ASSERT_TRUE(PutClipboardText(main, L"before"));
    Press('C', event::kCtrlDown);
    EXPECT_TRUE(app_.TakeTips().empty());
    const std::vector<std::uint8_t> copied = BmpFromClipboard(main);
    EXPECT_EQ(static_cast<bool>(MetafileFromClipboard(main)), row.copied == kLastBarcode)
        << "beside it, a metafile";
    switch (row.copied) {
      case kNothing:
        EXPECT_EQ(ClipboardText(main), L"before");
        EXPECT_TRUE(copied.empty());
        break;
      case kSelection:
        EXPECT_EQ(ClipboardText(main), WideFromGbk(row.box));
        EXPECT_TRUE(copied.empty());
        break;
      case kLastBarcode: EXPECT_EQ(copied, last_barcode) << "the full-size barcode, header and all"; break;
    }
  });
}

// Saving from a program folder of any name. The program folder is the running program's own, so this test
// program copies itself into a folder of each name and runs the copy with the flag below; the copy
// generates, saves, and leaves the message it was shown in a file in its current directory.
constexpr wchar_t kSaveInOwnFolder[] = L"--sw-save-in-own-folder";
constexpr std::string_view kFolderTestContent = "WIDE7";
constexpr char kMessageFile[] = "save-message.txt";

// Runs the program with the arguments from `directory`, its output into `log`; its exit code, or kNotRun
// when it did not start or end within a minute.
constexpr DWORD kNotRun = ~0u;
DWORD RunProgramCopy(const std::filesystem::path& program, const std::wstring& arguments,
                     const std::wstring& directory, const std::wstring& log) {
  SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
  const ScopedFile output = OwnFile(
      CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = startup.hStdError = output.get();
  std::wstring command = L"\"" + program.wstring() + L"\" " + arguments;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, directory.c_str(),
                      &startup, &started)) {
    return kNotRun;
  }
  const ScopedFile process(started.hProcess), thread(started.hThread);
  DWORD exit_code = kNotRun;
  if (WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) TerminateProcess(process.get(), kNotRun);
  GetExitCodeProcess(process.get(), &exit_code);
  return exit_code;
}

TEST_F(AppCommands, SavesInAProgramFolderOfAnyName) {
  if (wcsstr(GetCommandLineW(), kSaveInOwnFolder) != nullptr) {
    // The copy, started in its parent's folder: its own folder is the current directory now.
    Generate(kFolderTestContent);
    app_.Click(MainWindow::kSaveButton);  // not Save(), whose clean-up would delete the file
    app_.Pump();
    const std::vector<TipsSeen> tips = app_.TakeTips();
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips[0].window_id, TipsWindow::kId);
    std::ofstream(kMessageFile, std::ios::binary) << tips[0].message;
    return;
  }
  Generate(kFolderTestContent);
  const std::vector<std::uint8_t> picture = app_.Picture();
  struct Row {
    std::wstring_view folder;
    std::string_view gbk;  // the folder's name in GBK; empty where GBK cannot spell it
    const char* reason;
  };
  const Row rows[] = {
      {L"J\u00f6rg \u0141ukasz \u00df", "", "letters that GBK does not have"},
      {L"\u6761\u7801 \u5de5\u5177", "\xcc\xf5\xc2\xeb \xb9\xa4\xbe\xdf", "Chinese"},
      {L"\u4e57\u4fd3 \u8868", "\x81\x5c\x82\x5c \xb1\xed",
       "GBK characters whose second byte is a backslash"},
      {L"\u6771\u4eac \u5104", "\x96\x7c\xbe\xa9 \x83\x7c", "and a bar"},
      {L"\U00020000 \U0001D11E", "", "characters outside the Basic Multilingual Plane"},
  };
  wchar_t self[MAX_PATH] = {};
  ASSERT_LT(GetModuleFileNameW(nullptr, self, MAX_PATH), DWORD{MAX_PATH});
  const testing::TempFolder base;
  ASSERT_FALSE(base.path().empty());
  const std::string base_gbk = GbkFromWide(base.path());
  const std::string file_name = "Bar_Code_" + std::string(kFolderTestContent) + ".bmp";
  testing::ForEachRow(rows, [&](const Row& row) {
    const std::filesystem::path folder = base.path() + L"\\" + std::wstring(row.folder);
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::vector<std::wstring> names = testing::TempFolder::Names(base.path());
    ASSERT_NE(std::ranges::find(names, row.folder), names.end()) << "the file system keeps the name as it is";
    const std::filesystem::path copy = folder / "copy.exe";
    ASSERT_TRUE(CopyFileW(self, copy.c_str(), TRUE));  // a copy: a running program's file is not deleted

    const std::wstring log = base.path() + L"\\copy.log";
    const DWORD exit_code = RunProgramCopy(copy,
                                           L"--gtest_filter=AppCommands.SavesInAProgramFolderOfAnyName "
                                           L"--gtest_output=xml:" +
                                               base.path() + L"\\copy.xml " + kSaveInOwnFolder,
                                           base.path(), log);
    const std::vector<std::uint8_t> output = ReadFileBytes(log);
    EXPECT_EQ(exit_code, 0u) << std::string(output.begin(), output.end());

    EXPECT_EQ(ReadFileBytes((folder / file_name).wstring()), picture) << "the picture, in that folder";
    const std::vector<std::uint8_t> shown = ReadFileBytes((folder / kMessageFile).wstring());
    const std::string message(shown.begin(), shown.end());
    const std::string start = kSavedTo + base_gbk + "\\";
    const std::string end = "\\" + file_name + "\r\n" + kThanks;
    if (!row.gbk.empty()) {
      EXPECT_EQ(message, start + std::string(row.gbk) + end);
    } else {
      // Shown approximately: what stands for the folder's name is at least there.
      EXPECT_TRUE(message.starts_with(start) && message.ends_with(end)) << message;
      EXPECT_GT(message.size(), start.size() + end.size()) << message;
    }
  });
}

}  // namespace
}  // namespace sw

// Writes barcodes as the program makes them, for two decoders we did not write (scan_check.py runs them
// after this test): the shown picture (what the save command writes) for short contents, the full-size
// copy C:\1.bmp for contents up to 60 characters, and what Ctrl+C puts on the clipboard for
// 40-character contents, and one GS1-128 full-size copy. The folder comes in SW_SCAN_DIR; each picture's
// content goes into manifest.txt as hex, one "kind/NN.bmp hex" line a picture.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_texts.h"
#include "app/barcode_settings.h"
#include "app/program_state.h"
#include "base/text_codepage_win.h"
#include "encode/code128_encoder.h"
#include "render/barcode_canvas.h"
#include "tests/app/app_driver_win.h"
#include "tests/support/page_canvas_win.h"
#include "tests/support/scan_manifest.h"
#include "ui/files/clipboard_win.h"
#include "ui/files/file_services_win.h"
#include "ui/runtime/unit_events.h"

namespace sw {
namespace {

using layout::MainWindow;

// Deterministic mixes of digit runs, letters and other characters of `others`, lengths min to max.
std::vector<std::string> Mixes(int count, std::size_t min_length, std::size_t max_length,
                               const std::string& others, std::uint32_t seed) {
  const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  auto next = [&](std::uint32_t n) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % n;
  };
  std::vector<std::string> mixes;
  for (int i = 0; i < count; ++i) {
    const std::size_t length = min_length + next(static_cast<std::uint32_t>(max_length - min_length + 1));
    std::string text;
    while (text.size() < length) {
      const std::uint32_t kind = next(3);
      const std::size_t run = 1 + next(kind == 0 ? 9 : 4);
      for (std::size_t k = 0; k < run && text.size() < length; ++k) {
        text += kind == 0   ? static_cast<char>('0' + next(10))
                : kind == 1 ? letters[next(static_cast<std::uint32_t>(letters.size()))]
                            : others[next(static_cast<std::uint32_t>(others.size()))];
      }
    }
    mixes.push_back(text);
  }
  return mixes;
}

// 1 to 10 characters that can all name a saved file.
std::vector<std::string> ShortContents() {
  std::vector<std::string> contents = {
      "0",          "7",          "42",     "123", "1234", "12345",    "123456",  "1234567",
      "12345678",   "1234567890", "A",      "z",   "AB",   "Hello",    "Code128", "ABCDEFGHIJ",
      "abcdefghij", "A1B2C3",     "12AB34", "X9",  "a b",  "(10) #4!",
  };
  for (const std::string& mix : Mixes(12, 1, 10, " !#$%&'()+,-.;=@[]^_`{}~", 7)) contents.push_back(mix);
  return contents;
}

// Up to 60 characters of every printable kind.
std::vector<std::string> LongContents() {
  std::vector<std::string> contents = {
      std::string(60, '9'),
      "98765432101234567890",
      "abcdefghijklmnopqrstuvwxyz",
      "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
      "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~",
      "https://example.org/p?q=1&r=2",
      "ISBN 978-0-306-40615-7",
      "1234567890abcdefghij1234567890ABCDEFGHIJ1234567890~!@#$%^&*()",
  };
  for (const std::string& mix : Mixes(24, 11, 60, " !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~", 128)) {
    contents.push_back(mix);
  }
  return contents;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  return WriteBytesToFile(path, {bytes});
}

class ScanPictures : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("SW_SCAN_DIR");
    ASSERT_NE(folder, nullptr) << "SW_SCAN_DIR names the folder for the pictures";
    folder_ = folder;
    for (char& c : folder_) {
      if (c == '/') c = '\\';
    }
    for (const char* sub : {"", "\\saved", "\\full", "\\clipboard"}) {
      CreateDirectoryW(WideFromGbk(folder_ + sub).c_str(), nullptr);
    }
    // A manifest only from a whole run: an older one must not be checked again.
    DeleteFileW(WideFromGbk(folder_ + "\\manifest.txt").c_str());
    ASSERT_TRUE(app_.ready()) << app_.error();
  }
  void Generate(const std::string& content) { ASSERT_TRUE(app_.Generate(content).empty()) << content; }

  test::AppDriver app_;
  std::string folder_;
  std::string manifest_;
};

TEST_F(ScanPictures, WritesTheShownAndTheFullSizePictures) {
  const std::vector<std::string> short_contents = ShortContents();
  const std::vector<std::string> long_contents = LongContents();
  ASSERT_GE(short_contents.size(), 30u);
  ASSERT_GE(long_contents.size(), 30u);
  char name[32];
  int index = 0;
  for (const std::string& content : short_contents) {
    Generate(content);
    std::snprintf(name, sizeof name, "saved\\%02d.bmp", index++);
    const std::string path = folder_ + "\\" + name;
    if (index <= 3) {
      // The first ones through the save command itself, moved here from the program's folder.
      app_.Click(MainWindow::kSaveButton);
      app_.Pump();
      ASSERT_EQ(app_.TakeTips().size(), 1u);
      const std::vector<std::uint8_t> saved = test::ReadFileBytes(app::SavedPath());
      EXPECT_EQ(saved, app_.Picture()) << content;
      DeleteFileW(WideFromGbk(app::SavedPath()).c_str());
      ASSERT_TRUE(WriteFile(path, saved));
    } else {
      // The save command writes the shown picture byte for byte (app_commands_win_test).
      ASSERT_TRUE(WriteFile(path, app_.Picture())) << path;
    }
    manifest_ += testing::ScanManifestLine(name, content);
  }
  index = 0;
  for (const std::string& content : long_contents) {
    Generate(content);
    std::snprintf(name, sizeof name, "full\\%02d.bmp", index++);
    ASSERT_TRUE(WriteFile(folder_ + "\\" + name, test::ReadFileBytes(std::string(app::kFullSizeCopyPath))));
    manifest_ += testing::ScanManifestLine(name, content);
  }
  // Ctrl+C without a selection: the barcode as the clipboard holds it, written back as a BMP file.
  const std::string clipboard_contents[] = {
      "Stripewright/2024 copy+paste: ABCDEF-123",
      "1234567890123456789012345678901234567890",
  };
  index = 0;
  for (const std::string& content : clipboard_contents) {
    ASSERT_EQ(content.size(), 40u);
    Generate(content);
    app_.runtime().SetFocusTo(MainWindow::kContentEdit);
    test::AppDriver::PressKey('C', event::kCtrlDown);
    app_.Pump();
    std::snprintf(name, sizeof name, "clipboard\\%02d.bmp", index++);
    const std::vector<std::uint8_t> copied = BmpFromClipboard(app_.runtime().Handle(MainWindow::kId));
    ASSERT_FALSE(copied.empty()) << content;
    ASSERT_TRUE(WriteFile(folder_ + "\\" + name, copied));
    manifest_ += testing::ScanManifestLine(name, content);
    // And the metafile beside it, as a word processor prints it at 600 dpi.
    const ScopedMetafile metafile = MetafileFromClipboard(app_.runtime().Handle(MainWindow::kId));
    RECT frame{};
    const std::vector<std::uint8_t> page = testing::PlayedBackBmp(metafile.get(), 600, frame);
    ASSERT_FALSE(page.empty()) << content;
    EXPECT_EQ(frame.right, (ModuleCount(Code128Encoder().Widths(content)) + 20) * 33) << "0.33 mm modules";
    std::snprintf(name, sizeof name, "clipboard\\%02d-emf.bmp", index - 1);
    ASSERT_TRUE(WriteFile(folder_ + "\\" + name, page));
    manifest_ += testing::ScanManifestLine(name, content);
  }
  BYTE no_keys[256] = {};
  SetKeyboardState(no_keys);
  // GS1-128: the full-size copy carries the element strings, a GS (FNC1) after the variable-length batch.
  app::CurrentSettings().gs1 = true;
  Generate("(01)09501101530003(10)AB12(21)X9");
  app::CurrentSettings().gs1 = false;
  CreateDirectoryW(WideFromGbk(folder_ + "\\gs1").c_str(), nullptr);
  ASSERT_TRUE(WriteFile(folder_ + "\\gs1\\00.bmp", test::ReadFileBytes(std::string(app::kFullSizeCopyPath))));
  manifest_ += testing::ScanManifestLine("gs1\\00.bmp",
                                         "010950110153000310AB12\x1d"
                                         "21X9");
  for (char& c : manifest_) {
    if (c == '\\') c = '/';
  }
  const std::vector<std::uint8_t> manifest(manifest_.begin(), manifest_.end());
  ASSERT_TRUE(WriteFile(folder_ + "\\manifest.txt", manifest));
}

}  // namespace
}  // namespace sw

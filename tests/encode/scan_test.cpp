// Bare-bars barcodes of many contents, written as BMP files and read back by two decoders we did not write
// (zbarimg and ZXingReader, both of which read 1-bit BMP files directly).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "encode/code128_encoder.h"
#include "tests/support/case_table.h"

namespace sw {
namespace {

std::string RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return "<popen failed>";
  char buffer[4096];
  std::size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  pclose(pipe);
  return output;
}

std::vector<std::string> Contents() {
  std::vector<std::string> contents = {
      "0",
      "7",
      "42",
      "123",
      "1234",
      "12345",
      "123456",
      "0000000",
      "98765432101234567890",
      std::string(60, '9'),
      "A",
      "z",
      "Code128",
      "HelloWorld",
      "Stripewright",
      "abcdefghijklmnopqrstuvwxyz",
      "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
      "!\"#$%&'()*+,-./",
      ":;<=>?@[\\]^_`{|}~",
      "a b",
      " leading",
      "trailing ",
      "two  spaces",
      "A1234B",
      "12345A",
      "AB12",
      "AB123",
      "A12B",
      "X1Y22Z333W4444V55555",
      "Order 66: 1234-5678",
      "3.14159265358979",
      "user@example.com",
      "https://example.org/p?q=1&r=2",
      "ISBN 978-0-306-40615-7",
      "((1+2)*3)/4 = 2.25",
      "1234567890abcdefghij1234567890ABCDEFGHIJ1234567890~!@#$%^&*()",
  };
  // Pseudo-random mixes of digit runs, letters, punctuation and spaces, lengths 1 to 60.
  const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const std::string other = " !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";
  std::uint32_t seed = 128;
  auto next = [&](std::uint32_t n) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % n;
  };
  for (int i = 0; i < 30; ++i) {
    const std::size_t length = 1 + next(60);
    std::string text;
    while (text.size() < length) {
      const std::uint32_t kind = next(3);
      const std::size_t run = 1 + next(kind == 0 ? 9 : 4);
      for (std::size_t k = 0; k < run && text.size() < length; ++k) {
        text += kind == 0   ? static_cast<char>('0' + next(10))
                : kind == 1 ? letters[next(52)]
                            : other[next(33)];
      }
    }
    contents.push_back(text);
  }
  return contents;
}

class ScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {SW_ZBARIMG, SW_ZXINGREADER}) {
      ASSERT_TRUE(std::filesystem::exists(tool)) << tool << " is missing: scripts/bootstrap installs it";
    }
    char pattern[] = "/tmp/sw-scan-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string WriteBarcode(std::string_view text, int index) {
    Code128Encoder encoder;
    const std::vector<std::uint8_t> bmp = encoder.MakeBarcode(text).GetData();
    const std::string path = dir_ + "/" + std::to_string(index) + ".bmp";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
    return path;
  }

  void ExpectBothDecoders(std::string_view typed, const std::string& decoded, int index) {
    const std::string path = WriteBarcode(typed, index);
    EXPECT_EQ(RunCommand(std::string(SW_ZBARIMG) + " -q --raw '" + path + "' 2>/dev/null"), decoded + "\n")
        << "zbarimg, content #" << index;
    EXPECT_EQ(RunCommand(std::string(SW_ZXINGREADER) + " -format Code128 -bytes '" + path + "' 2>/dev/null"),
              decoded)
        << "ZXingReader, content #" << index;
  }

  std::string dir_;
};

TEST_F(ScanTest, BothDecodersReadEveryContent) {
  const std::vector<std::string> contents = Contents();
  ASSERT_GE(contents.size(), 50u);
  int index = 0;
  for (const std::string& content : contents) ExpectBothDecoders(content, content, index++);
}

TEST_F(ScanTest, BytesWithoutASetBValueAreLeftOut) {
  struct Case {
    std::string_view typed, decoded;
    const char* reason;
  };
  const Case cases[] = {
      {"A\tB", "AB", "a control byte"},
      {"\xb0\xa1"
       "12345678",
       "12345678", "a double-byte character before a set C run"},
      {"Price \xa3\xa4 100", "Price  100", "a double-byte character between spaces"},
      {"12345678\x7f", "12345678", "DEL after a set C run: no switch for nothing"},
      // GBK characters whose trail bytes equal printable characters: C8 41 ('A'), 81 40 ('@'), E9 46 ('F').
      {"\xc8\x41"
       "Z",
       "Z", "a character, then a letter"},
      {"\x81\x40"
       "1234\xe9\x46"
       "5678AB\xc8\x41"
       "9",
       "12345678AB9", "characters between digit runs and letters"},
      {"Code\xe9\x46"
       "128\x81\x40",
       "Code128", "characters after letters and after digits"},
  };
  testing::ForEachRow(cases, [&](const Case& c, std::size_t row) {
    ExpectBothDecoders(c.typed, std::string(c.decoded), 1000 + static_cast<int>(row));
  });
}

}  // namespace
}  // namespace sw

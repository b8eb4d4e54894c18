// Broken files of every format: each must give no picture, for the reason named, and never crash, hang or
// read outside the data (the sanitizers watch the last part).
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "tests/support/case_table.h"
#include "tests/ui/picture/picture_test_images.h"
#include "ui/picture/picture_decode.h"

namespace sw {
namespace {

using test::Bytes;
using Edit = std::function<void(Bytes&)>;
using F = DecodeFailure;

// ---- edits
Edit KeepFirst(std::size_t count) {
  return [=](Bytes& b) { b.resize(std::min(count, b.size())); };
}
Edit DropLast(std::size_t count) {
  return [=](Bytes& b) { b.resize(b.size() - count); };
}
Edit Set8(std::size_t at, std::uint8_t v) {
  return [=](Bytes& b) { b.at(at) = v; };
}
Edit Set16(std::size_t at, std::uint16_t v) {
  return [=](Bytes& b) { test::PutLe16(b, at, v); };
}
Edit Set32(std::size_t at, std::uint32_t v) {
  return [=](Bytes& b) { test::PutLe32(b, at, v); };
}
Edit Erase(std::size_t at, std::size_t count) {
  return [=](Bytes& b) {
    b.erase(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + count));
  };
}
// Everything from `at` on replaced by `tail`.
Edit ReplaceTail(std::size_t at, Bytes tail) {
  return [=](Bytes& b) {
    b.resize(at);
    b.insert(b.end(), tail.begin(), tail.end());
  };
}
Edit Insert(std::size_t at, Bytes bytes) {
  return [=](Bytes& b) { b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin(), bytes.end()); };
}
Edit FromEnd(std::size_t back, std::uint8_t v) {
  return [=](Bytes& b) { b.at(b.size() - back) = v; };
}
Edit Both(Edit first, Edit second) {
  return [=](Bytes& b) {
    first(b);
    second(b);
  };
}

// PNG: IHDR fields (big-endian) and its CRC.
constexpr std::size_t kIhdrChunk = 8, kIhdrWidth = 16, kIhdrHeight = 20, kIhdrBitDepth = 24, kIhdrCrc = 29;
Edit SetIhdr32(std::size_t at, std::uint32_t v) {
  return [=](Bytes& b) {
    for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<std::uint8_t>(v >> (24 - 8 * i));
    test::FixPngChunkCrc(b, kIhdrChunk);
  };
}
Edit SetIhdr8(std::size_t at, std::uint8_t v) {
  return Both(Set8(at, v), [](Bytes& b) { test::FixPngChunkCrc(b, kIhdrChunk); });
}
std::size_t FindPngChunk(const Bytes& b, const char* type) {
  return std::search(b.begin(), b.end(), type, type + 4) - b.begin() - 4;
}

// JPEG: the frame header's size (big-endian), and bytes of the entropy-coded scan.
std::size_t FindMarker(const Bytes& b, std::uint8_t marker) {
  for (std::size_t i = 0; i + 1 < b.size(); ++i) {
    if (b[i] == 0xFF && b[i + 1] == marker) return i;
  }
  return b.size();
}
Edit SetFrameSize(std::uint16_t width, std::uint16_t height) {
  return [=](Bytes& b) {
    const std::size_t sof = FindMarker(b, 0xC0);
    b.at(sof + 5) = static_cast<std::uint8_t>(height >> 8);
    b.at(sof + 6) = static_cast<std::uint8_t>(height);
    b.at(sof + 7) = static_cast<std::uint8_t>(width >> 8);
    b.at(sof + 8) = static_cast<std::uint8_t>(width);
  };
}
// Stuffed 0xFF bytes read as runs of one bits, which no Huffman code of the file matches.
Edit OnesInScan() {
  return [](Bytes& b) {
    const std::size_t sos = FindMarker(b, 0xDA);
    const std::size_t scan = sos + 2 + (b.at(sos + 2) << 8 | b.at(sos + 3));
    for (std::size_t i = scan + 4; i + 1 < scan + 40; i += 2) {
      b.at(i) = 0xFF;
      b.at(i + 1) = 0x00;
    }
  };
}

// ---- the good files the edits start from
std::map<std::string, Bytes> MakeBases() {
  using test::Color;
  const std::vector<Color> four = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  Bytes rgba(4 * 4 * 4);
  for (std::size_t i = 0; i < rgba.size(); ++i) rgba[i] = static_cast<std::uint8_t>(i * 37);
  Bytes quadrants;
  for (int i = 0; i < 16 * 16; ++i)
    quadrants.insert(quadrants.end(), {static_cast<std::uint8_t>(i), 90, 200});
  Bytes gif_indices;
  for (int i = 0; i < 64; ++i) gif_indices.push_back(static_cast<std::uint8_t>(i % 4));
  return {
      {"bmp24", test::MakeBmp({.width = 3, .height = 2, .bits = 24, .rows = {Bytes(9, 1), Bytes(9, 2)}})},
      {"bmp8", test::MakeBmp({.width = 3,
                              .height = 2,
                              .bits = 8,
                              .palette = {four[0], four[1], four[2]},
                              .rows = {{0, 1, 2}, {2, 1, 0}}})},
      {"png", test::WritePng(4, 4, rgba)},
      {"jpeg", test::WriteJpeg(16, 16, 3, quadrants, 90, false)},
      {"gif", test::MakeGif({.screen_width = 8,
                             .screen_height = 8,
                             .palette = four,
                             .width = 8,
                             .height = 8,
                             .min_code_size = 2,
                             .indices = gif_indices})},
      {"pcx8", test::MakePcx({.bits = 8, .width = 4, .height = 2, .lines = {{7, 7, 7, 7}, {1, 2, 3, 4}}})},
      {"pcx1",
       test::MakePcx({.version = 3, .bits = 1, .width = 16, .height = 2, .lines = {{0xF0, 0x0F}, {1, 2}}})},
      {"ico", test::MakeIconFile(1, {{.width_byte = 16, .width = 16, .height = 16}})},
      {"icopng", test::MakeIconFile(1, {{.width_byte = 4, .image = test::WritePng(4, 4, rgba)}})},
  };
}

// Offsets inside the bases above.
constexpr std::size_t kGifScreenWidth = 6, kGifScreenFlags = 10, kGifPalette = 13, kGifBlocks = 25,
                      kGifMinCodeSize = 42, kGifData = 43;
constexpr std::size_t kIcoEntryBytes = 14, kIcoEntryOffset = 18, kIcoImage = 22,
                      kIcoImageWidth = kIcoImage + bmp::kBiWidth,
                      kIcoImageHeight = kIcoImage + bmp::kBiHeight,
                      kIcoImageBits = kIcoImage + bmp::kBiBitCount,
                      kIcoImageCompression = kIcoImage + bmp::kBiCompression;
constexpr std::size_t kPcxXMin = 4;

struct MalformedCase {
  const char* base;
  Edit edit;
  DecodeFailure expected;
  const char* reason;
};

const std::vector<MalformedCase>& Cases() {
  namespace bmp = test::bmp;
  namespace pcx = test::pcx;
  static const std::vector<MalformedCase> cases = {
      // BMP
      /* 0*/ {"bmp24", KeepFirst(53), F::kTruncated, "53 bytes: less than the two headers"},
      /* 1*/ {"bmp24", DropLast(1), F::kTruncated, "last row one byte short"},
      /* 2*/ {"bmp24", Set32(bmp::kCompression, 1), F::kUnsupported, "run-length compressed"},
      /* 3*/ {"bmp24", Set16(bmp::kBitCount, 16), F::kUnsupported, "16 bits a pixel"},
      /* 4*/ {"bmp24", Set16(bmp::kBitCount, 2), F::kUnsupported, "2 bits a pixel"},
      /* 5*/ {"bmp24", Set32(bmp::kWidth, 0), F::kBadHeader, "zero width"},
      /* 6*/ {"bmp24", Set32(bmp::kHeight, 0x80000000u), F::kBadHeader, "height without an absolute value"},
      /* 7*/ {"bmp24", Set32(bmp::kWidth, 100000), F::kTooLarge, "width over the cap"},
      /* 8*/
      {"bmp24", Both(Set32(bmp::kWidth, 16384), Set32(bmp::kHeight, 16384)), F::kTooLarge,
       "pixels over the cap"},
      /* 9*/ {"bmp24", Set32(bmp::kWidth, 4000), F::kTruncated, "rows far beyond the data"},
      /*10*/ {"bmp24", Set32(bmp::kHeaderSize, 12), F::kUnsupported, "12-byte core header"},
      /*11*/
      {"bmp24", Set32(bmp::kHeaderSize, 0xFFFFFFF0u), F::kTruncated, "header size that wraps an offset"},
      /*12*/ {"bmp24", Set32(bmp::kOffBits, 40), F::kBadHeader, "pixels said to start inside the header"},
      /*13*/ {"bmp24", Set32(bmp::kOffBits, 0xFFFFFFFFu), F::kTruncated, "pixels said to start past the end"},
      /*14*/ {"bmp8", Set32(bmp::kColorsUsed, 2), F::kBadPalette, "index 2 with a 2-colour table"},
      /*15*/
      {"bmp8", Set32(bmp::kColorsUsed, 257), F::kTruncated,
       "more colours than 8 bits address: read as 256, which the file does not hold"},
      /*16*/ {"bmp8", Set32(bmp::kColorsUsed, 0), F::kTruncated, "256-entry table the file does not hold"},
      // PNG
      /*17*/ {"png", KeepFirst(33), F::kLibraryError, "signature and header only"},
      /*18*/ {"png", DropLast(20), F::kTruncated, "image data cut short"},
      /*19*/ {"png", Set8(kIhdrCrc, 0), F::kLibraryError, "header CRC wrong"},
      /*20*/ {"png", Set8(5, 'X'), F::kLibraryError, "signature broken after the first four bytes"},
      /*21*/ {"png", SetIhdr32(kIhdrWidth, 20000), F::kTooLarge, "width over the cap"},
      /*22*/ {"png", SetIhdr32(kIhdrWidth, 0), F::kLibraryError, "zero width"},
      /*23*/ {"png", SetIhdr32(kIhdrHeight, 0x80000000u), F::kLibraryError, "height beyond what PNG allows"},
      /*24*/ {"png", SetIhdr8(kIhdrBitDepth, 3), F::kLibraryError, "bit depth 3"},
      /*25*/
      {"png", [](Bytes& b) { b.at(FindPngChunk(b, "IDAT") + 9) ^= 0xFF; }, F::kLibraryError,
       "compressed data corrupt"},
      /*26*/
      {"png", Insert(kIhdrCrc + 4, {0x6C, 0x4C, 0x6C, 0x6C, 'p', 'C', 'A', 'L', 1, 2, 3}), F::kTruncated,
       "1.8 GB ancillary chunk in a small file (found by fuzzing: libpng allocated it)"},
      /*27*/
      {"png", ReplaceTail(kIhdrCrc + 4, {0x7E, 0, 0x30, 0, 'p', 'C', 'A', 'L', 1}), F::kTruncated,
       "the same as the file's last bytes, its CRC cut off (found by fuzzing)"},
      // JPEG
      /*28*/ {"jpeg", KeepFirst(8), F::kBadData, "start of image, then the data ends"},
      /*29*/ {"jpeg", [](Bytes& b) { b.resize(b.size() / 2); }, F::kBadData, "scan cut in half"},
      /*30*/ {"jpeg", SetFrameSize(0, 16), F::kLibraryError, "zero width"},
      /*31*/ {"jpeg", SetFrameSize(20000, 20000), F::kTooLarge, "pixels over the cap"},
      /*32*/ {"jpeg", OnesInScan(), F::kBadData, "Huffman codes that do not exist"},
      /*33*/
      {"jpeg", [](Bytes& b) { b.at(FindMarker(b, 0xC0) + 1) = 0xCF; }, F::kLibraryError,
       "frame type the library does not decode"},
      // GIF
      /*34*/ {"gif", DropLast(6), F::kTruncated, "compressed data cut"},
      /*35*/ {"gif", Set16(kGifScreenWidth, 0), F::kBadHeader, "zero screen width"},
      /*36*/
      {"gif", Both(Set16(kGifScreenWidth, 20000), Set16(kGifScreenWidth + 2, 20000)), F::kTooLarge,
       "screen over the cap"},
      /*37*/
      {"gif", Both(Set8(kGifScreenFlags, 0), Erase(kGifPalette, 12)), F::kBadPalette, "no colour table"},
      /*38*/
      {"gif", Both(Set8(kGifScreenFlags, 0x80), Erase(kGifPalette + 6, 6)), F::kBadPalette,
       "index 3 with a 2-colour table"},
      /*39*/ {"gif", Set8(kGifMinCodeSize, 9), F::kBadData, "code size above 8"},
      /*40*/
      {"gif", ReplaceTail(kGifData, {1, 0x3C, 0, 0x3B}), F::kBadData, "clear, then code 7 past the table"},
      /*41*/
      {"gif", ReplaceTail(kGifData, {1, 0x34, 0, 0x3B}), F::kBadData, "table code right after a clear"},
      /*42*/
      {"gif", ReplaceTail(kGifData, {2, 0x4C, 0x01, 0, 0x3B}), F::kTruncated,
       "end code before the last pixel"},
      /*43*/ {"gif", ReplaceTail(kGifBlocks, {0x3B}), F::kBadData, "trailer before any image"},
      /*44*/ {"gif", ReplaceTail(kGifBlocks, {0x99}), F::kBadData, "unknown block"},
      /*45*/ {"gif", KeepFirst(kGifBlocks + 4), F::kTruncated, "extension without its terminator"},
      /*46*/ {"gif", ReplaceTail(kGifData, {200, 1, 2}), F::kTruncated, "sub-block longer than the data"},
      // PCX
      /*47*/ {"pcx8", KeepFirst(128), F::kTruncated, "header only"},
      /*48*/ {"pcx8", Set16(kPcxXMin, 10), F::kBadHeader, "right edge left of the left edge"},
      /*49*/ {"pcx8", Set16(pcx::kBytesPerLine, 2), F::kBadHeader, "line shorter than the width"},
      /*50*/ {"pcx8", Set8(pcx::kPlanes, 3), F::kUnsupported, "24-bit colour in three planes"},
      /*51*/ {"pcx8", Set16(pcx::kXMax, 29999), F::kTooLarge, "width over the cap"},
      /*52*/ {"pcx8", FromEnd(769, 0), F::kBadPalette, "palette mark missing"},
      /*53*/ {"pcx8", Set8(pcx::kData, 0xC5), F::kBadData, "run of 5 in a line of 4"},
      /*54*/ {"pcx8", Erase(pcx::kData, 3), F::kTruncated, "pixel data ends before the last line"},
      /*55*/ {"pcx1", DropLast(1), F::kTruncated, "1 bit: last byte missing"},
      /*56*/ {"pcx1", Set8(pcx::kPlanes, 4), F::kUnsupported, "1 bit in four planes (16 colours)"},
      // Icons
      /*57*/ {"ico", KeepFirst(20), F::kTruncated, "directory entry cut"},
      /*58*/ {"ico", Set32(kIcoEntryOffset, 100000), F::kTruncated, "image past the end"},
      /*59*/ {"ico", Set32(kIcoEntryBytes, 5000), F::kTruncated, "image longer than the data"},
      /*60*/
      {"ico", Both(Set32(kIcoEntryOffset, 0xFFFFFFF0u), Set32(kIcoEntryBytes, 0x20)), F::kTruncated,
       "offset and size that wrap"},
      /*61*/ {"ico", Set32(kIcoImageHeight, 1), F::kBadHeader, "header height without mask rows"},
      /*62*/ {"ico", Set32(kIcoImageWidth, 20000), F::kTooLarge, "width over the cap"},
      /*63*/ {"ico", Set16(kIcoImageBits, 3), F::kUnsupported, "3 bits a pixel"},
      /*64*/ {"ico", Set32(kIcoImageCompression, 1), F::kUnsupported, "compressed image"},
      /*65*/
      {"ico", Both(Set32(kIcoEntryBytes, 40 + 16 * 16 * 4), DropLast(64)), F::kTruncated, "mask missing"},
      /*66*/ {"ico", Set32(kIcoImage, 12), F::kUnsupported, "12-byte core header"},
      /*67*/
      {"icopng", [](Bytes& b) { b.at(kIcoImage + kIhdrCrc) ^= 1; }, F::kLibraryError, "PNG image broken"},
  };
  return cases;
}

TEST(MalformedPictures, GiveNoPictureForTheirReason) {
  const std::map<std::string, Bytes> bases = MakeBases();
  for (const auto& [name, bytes] : bases) {
    ASSERT_TRUE(DecodePictureBytes(bytes).picture) << "base " << name << " must decode";
  }
  testing::ForEachRow(Cases(), [&](const MalformedCase& c) {
    Bytes bytes = bases.at(c.base);
    c.edit(bytes);
    const PictureDecoding result = DecodePictureBytes(bytes);
    EXPECT_FALSE(result.picture);
    EXPECT_EQ(DescribeDecodeFailure(result.failure), DescribeDecodeFailure(c.expected));
    EXPECT_FALSE(DecodePicture(bytes.data(), static_cast<std::int32_t>(bytes.size())));
  });
}

TEST(MalformedPictures, JpegOverTheScanCapIsTooLarge) {
  struct Row {
    int scans;
    DecodeFailure expected;
    const char* reason;
  };
  const Row rows[] = {
      {kMaxJpegScans, F::kNone, "as many scans as the cap allows"},
      {kMaxJpegScans + 1, F::kTooLarge, "one scan more: valid data, but more than we take"},
  };
  Bytes rgb(16 * 16 * 3);
  for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 7);
  testing::ForEachRow(rows, [&](const Row& row) {
    const Bytes jpeg = test::WriteJpegScans(16, 16, rgb, row.scans);
    const PictureDecoding result = DecodePictureBytes(jpeg);
    EXPECT_EQ(DescribeDecodeFailure(result.failure), DescribeDecodeFailure(row.expected));
    EXPECT_EQ(result.picture.has_value(), row.expected == F::kNone);
  });
}

// Every prefix of every good file fails cleanly, or (when only trailing markers are cut, such as a GIF's
// trailer or a PNG's end chunk) gives the whole picture: never a made-up part, never a read past the data.
TEST(MalformedPictures, EveryTruncationFailsOrKeepsTheWholePicture) {
  for (const auto& [name, bytes] : MakeBases()) {
    const std::optional<DecodedPicture> whole = DecodePictureBytes(bytes).picture;
    std::size_t complete_prefixes = 0;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
      const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
      const std::optional<DecodedPicture> part = DecodePictureBytes(prefix).picture;
      if (!part) continue;
      ++complete_prefixes;
      EXPECT_EQ(part->pixels, whole->pixels) << name << " cut to " << length;
    }
    EXPECT_LT(complete_prefixes, 16u) << name << ": only the last few bytes may be missing";
  }
}

}  // namespace
}  // namespace sw

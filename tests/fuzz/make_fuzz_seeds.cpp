// make_fuzz_seeds <corpus folder> [<dependency sources>]: writes the small seed files of the picture fuzz
// targets, one folder a target, and copies a few of libpng's and libjpeg-turbo's own test images from the
// unpacked sources (build/deps/src) for variety the writers here cannot give (interlacing, palettes, 16 bits,
// arithmetic coding, 12-bit samples). The files are committed; run this again only to change them.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/ui/picture/picture_test_images.h"

namespace {

namespace fs = std::filesystem;
using sw::test::Bytes;
using sw::test::Color;

void Write(const fs::path& folder, const std::string& name, const Bytes& bytes) {
  fs::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes Ramp(std::size_t count, int step) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i)
    bytes[i] = static_cast<std::uint8_t>(i * static_cast<std::size_t>(step));
  return bytes;
}

std::vector<Color> Palette(std::size_t count) {
  std::vector<Color> colors;
  for (std::size_t i = 0; i < count; ++i) {
    colors.push_back({static_cast<std::uint8_t>(i * 40), static_cast<std::uint8_t>(255 - i * 20),
                      static_cast<std::uint8_t>(i * 90)});
  }
  return colors;
}

// Copies `names` from the first folder matching <sources>/<package>/*/<inside>.
void CopyFrom(const fs::path& sources, const std::string& package, const std::string& inside,
              std::initializer_list<const char*> names, const fs::path& to) {
  std::error_code error;
  for (const fs::directory_entry& unpacked : fs::directory_iterator(sources / package, error)) {
    const fs::path folder = unpacked.path() / inside;
    if (!fs::is_directory(folder)) continue;
    fs::create_directories(to);
    for (const char* name : names)
      fs::copy_file(folder / name, to / name, fs::copy_options::overwrite_existing);
    return;
  }
  std::fprintf(stderr, "make_fuzz_seeds: no %s under %s\n", inside.c_str(), (sources / package).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: make_fuzz_seeds <corpus folder> [<dependency sources>]\n");
    return 2;
  }
  const fs::path corpus = argv[1];
  using namespace sw::test;

  Write(corpus / "fuzz_png", "rgba_4x3.png", WritePng(4, 3, Ramp(4 * 3 * 4, 21)));
  Write(corpus / "fuzz_png", "rgba_1x1.png", WritePng(1, 1, Bytes{10, 20, 30, 128}));
  Write(corpus / "fuzz_png", "rgba_16x2.png", WritePng(16, 2, Ramp(16 * 2 * 4, 3)));

  const Bytes rgb = Ramp(16 * 16 * 3, 7);
  Write(corpus / "fuzz_jpeg", "baseline_16x16.jpg", WriteJpeg(16, 16, 3, rgb, 75, false));
  Write(corpus / "fuzz_jpeg", "progressive_16x16.jpg", WriteJpeg(16, 16, 3, rgb, 75, true));
  Write(corpus / "fuzz_jpeg", "grey_8x8.jpg", WriteJpeg(8, 8, 1, Ramp(64, 4), 90, false));

  Write(corpus / "fuzz_bmp", "24_3x2.bmp",
        MakeBmp({.width = 3, .height = 2, .bits = 24, .rows = {Ramp(9, 5), Ramp(9, 9)}}));
  Write(corpus / "fuzz_bmp", "32_top_down_2x2.bmp",
        MakeBmp({.width = 2, .height = 2, .bits = 32, .top_down = true, .rows = {Ramp(8, 3), Ramp(8, 11)}}));
  Write(
      corpus / "fuzz_bmp", "8_4x2.bmp",
      MakeBmp(
          {.width = 4, .height = 2, .bits = 8, .palette = Palette(4), .rows = {{0, 1, 2, 3}, {3, 2, 1, 0}}}));
  Write(corpus / "fuzz_bmp", "4_5x1.bmp",
        MakeBmp({.width = 5, .height = 1, .bits = 4, .palette = Palette(6), .rows = {{0, 1, 2, 5, 4}}}));
  Write(corpus / "fuzz_bmp", "1_9x2.bmp",
        MakeBmp({.width = 9,
                 .height = 2,
                 .bits = 1,
                 .palette = Palette(2),
                 .rows = {{1, 0, 1, 0, 1, 0, 1, 0, 1}, Bytes(9, 1)}}));

  Bytes indices;
  for (int i = 0; i < 16 * 16; ++i) indices.push_back(static_cast<std::uint8_t>((i * 5 + i / 16) % 16));
  Write(corpus / "fuzz_gif", "16_colours_16x16.gif",
        MakeGif({.screen_width = 16,
                 .screen_height = 16,
                 .palette = Palette(16),
                 .width = 16,
                 .height = 16,
                 .min_code_size = 4,
                 .indices = indices}));
  Write(corpus / "fuzz_gif", "interlaced_16x16.gif",
        MakeGif({.screen_width = 16,
                 .screen_height = 16,
                 .palette = Palette(16),
                 .width = 16,
                 .height = 16,
                 .interlaced = true,
                 .min_code_size = 4,
                 .indices = indices}));
  Write(corpus / "fuzz_gif", "offset_2x2_on_4x3.gif",
        MakeGif({.screen_width = 4,
                 .screen_height = 3,
                 .background = 2,
                 .palette = Palette(4),
                 .left = 1,
                 .top = 1,
                 .width = 2,
                 .height = 2,
                 .min_code_size = 2,
                 .indices = {0, 1, 3, 3}}));

  Write(corpus / "fuzz_pcx", "8_5x2.pcx",
        MakePcx({.bits = 8,
                 .width = 5,
                 .height = 2,
                 .palette = Palette(8),
                 .lines = {{7, 7, 7, 7, 200, 0}, {0, 192, 193, 255, 1, 0}}}));
  Write(corpus / "fuzz_pcx", "1_17x2.pcx",
        MakePcx({.version = 3,
                 .bits = 1,
                 .width = 17,
                 .height = 2,
                 .lines = {{0xFF, 0, 0x80, 0}, {0x0F, 0xF0, 0, 0}}}));

  Write(corpus / "fuzz_icon", "one_16x16.ico",
        MakeIconFile(1, {{.width_byte = 16, .width = 16, .height = 16}}));
  Write(corpus / "fuzz_icon", "two_entries.ico",
        MakeIconFile(1, {{.width_byte = 32, .colors_byte = 16, .width = 32, .height = 32, .color = {9, 8, 7}},
                         {.width_byte = 8, .width = 8, .height = 8}}));
  Write(corpus / "fuzz_icon", "png_entry.ico",
        MakeIconFile(1, {{.width_byte = 3, .image = WritePng(3, 2, Ramp(24, 9))}}));
  Write(corpus / "fuzz_icon", "cursor_4x4.cur",
        MakeIconFile(2, {{.width_byte = 4, .width = 4, .height = 4}}));

  if (argc == 3) {
    CopyFrom(
        argv[2], "libpng1.6", "contrib/pngsuite",
        {"basn0g02.png", "basn3p01.png", "basn4a08.png", "basn0g16.png", "ftbbn0g01.png", "ftp0n3p08.png"},
        corpus / "fuzz_png");
    CopyFrom(argv[2], "libpng1.6", "contrib/pngsuite/interlaced", {"ibasn0g01.png", "ibasn3p02.png"},
             corpus / "fuzz_png");
    CopyFrom(argv[2], "libpng1.6", "contrib/pngsuite", {"ibasn6a08.png", "ibasn0g08.png"},
             corpus / "fuzz_png");
    CopyFrom(argv[2], "libjpeg-turbo", "testimages", {"testorig.jpg", "testimgari.jpg", "testorig12.jpg"},
             corpus / "fuzz_jpeg");
  }
  return 0;
}

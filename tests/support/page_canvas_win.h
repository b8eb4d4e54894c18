// A white 1-bit page drawn on through a memory DC, standing in for a printer's dots; and an enhanced
// metafile played back on one at a printer's resolution, as a word processor prints a pasted picture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/handles_win.h"

namespace sw::testing {

// `width` x `height` dots, white.
class PageCanvas {
 public:
  PageCanvas(std::int32_t width, std::int32_t height) : width_(width), height_(height) {
    info_.header.biSize = sizeof(BITMAPINFOHEADER);
    info_.header.biWidth = width;
    info_.header.biHeight = height;  // bottom-up, as a BMP file stores its rows
    info_.header.biPlanes = 1;
    info_.header.biBitCount = 1;
    info_.colours[1] = {255, 255, 255, 0};
    void* bits = nullptr;
    bitmap_.reset(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info_), DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint8_t*>(bits);
    dc_ = CreateMemoryDc(nullptr);
    selected_ = SelectInto(dc_.get(), bitmap_.get());
    if (selected_) PatBlt(dc_.get(), 0, 0, width, height, WHITENESS);
  }
  bool ok() const { return bits_ != nullptr && static_cast<bool>(selected_); }
  HDC dc() const { return dc_.get(); }
  std::size_t Stride() const { return (static_cast<std::size_t>(width_) + 31) / 32 * 4; }
  // Read after GdiFlush, once the drawing is done.
  bool Black(std::int32_t x, std::int32_t y) const {
    const std::uint8_t* row = bits_ + static_cast<std::size_t>(height_ - 1 - y) * Stride();
    return ((row[x >> 3] >> (7 - (x & 7))) & 1) == 0;
  }
  // Runs of one colour along row y, left to right, starting with the white before the first bar.
  std::vector<std::int32_t> Runs(std::int32_t y) const {
    std::vector<std::int32_t> runs{0};
    bool black = false;
    for (std::int32_t x = 0; x < width_; ++x) {
      if (Black(x, y) != black) {
        black = !black;
        runs.push_back(0);
      }
      ++runs.back();
    }
    return runs;
  }
  std::vector<std::uint8_t> BmpFile() const {
    GdiFlush();
    const std::size_t pixels = Stride() * static_cast<std::size_t>(height_);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info_;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels);
    std::vector<std::uint8_t> bytes(file.bfSize);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info_, sizeof info_);
    std::memcpy(bytes.data() + file.bfOffBits, bits_, pixels);
    return bytes;
  }

 private:
  struct {
    BITMAPINFOHEADER header{};
    RGBQUAD colours[2]{};
  } info_;
  std::int32_t width_, height_;
  ScopedBitmap bitmap_;
  std::uint8_t* bits_ = nullptr;
  ScopedMemoryDc dc_;
  ScopedSelect selected_;
};

// The metafile's frame (0.01 mm) at `dpi`, played back into a page of that many dots, which is empty
// when the system did not play it.
inline std::vector<std::uint8_t> PlayedBackBmp(HENHMETAFILE metafile, std::int32_t dpi, RECT& frame) {
  ENHMETAHEADER header{};
  if (GetEnhMetaFileHeader(metafile, sizeof header, &header) == 0) return {};
  frame = {header.rclFrame.left, header.rclFrame.top, header.rclFrame.right, header.rclFrame.bottom};
  const std::int32_t width = (frame.right - frame.left) * dpi / 2540;
  const std::int32_t height = (frame.bottom - frame.top) * dpi / 2540;
  PageCanvas page(width, height);
  const RECT all{0, 0, width, height};
  if (!page.ok() || !PlayEnhMetaFile(page.dc(), metafile, &all)) return {};
  return page.BmpFile();
}

}  // namespace sw::testing

// An in-memory device-independent bitmap: created or read from BMP bytes, drawn pixel by pixel, written back
// as BMP bytes. Failures return false, 0, -1 or empty bytes and leave a GBK text in LastError(); nothing
// throws.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/color.h"
#include "render/dib.h"

namespace sw {

class Bitmap {
 public:
  Bitmap();
  ~Bitmap();
  Bitmap(Bitmap&& other) noexcept;
  Bitmap& operator=(Bitmap&& other) noexcept;
  Bitmap(const Bitmap&) = delete;  // copies are explicit: CopyFrom
  Bitmap& operator=(const Bitmap&) = delete;

  // bits: 1, 4, 8, 16, 24 or 32. Without a fill colour the pixels are zero bytes.
  bool Create(std::int32_t width, std::int32_t height, std::int16_t bits,
              std::optional<ColorRef> fill = std::nullopt);
  bool SetPixel(std::int32_t x, std::int32_t y, ColorRef color);  // y = 0 is the top line
  ColorRef GetPixel(std::int32_t x, std::int32_t y);
  std::int32_t GetWidth();
  std::int32_t GetHeight();
  std::int16_t GetBitCount();
  bool LoadData(std::span<const std::uint8_t> bytes);
  std::vector<std::uint8_t> GetData();
  void CopyFrom(const Bitmap& source);

  std::string_view LastError() const { return last_error_; }
  bool IsEmpty() const { return image_ == nullptr; }

  // The pixel block, for whole-row fast paths inside render/; they must leave the bytes SetPixel would.
  Dib* Image() { return image_.get(); }
  const Dib* Image() const { return image_.get(); }

 private:
  void Replace(std::unique_ptr<Dib> image);
  const Dib& Require() const;
  std::uint32_t IndexFor(const Dib& image, ColorRef color);

  std::unique_ptr<Dib> image_;
  std::string last_error_;
  // SetPixel's last nearest-colour answer; stands for the GDI palette the image would otherwise cache.
  std::optional<std::pair<ColorRef, std::uint32_t>> last_index_;
};

}  // namespace sw

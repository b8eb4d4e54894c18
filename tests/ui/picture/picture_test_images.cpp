#include "tests/ui/picture/picture_test_images.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <utility>

#include <jpeglib.h>

namespace sw::test {

void PutLe16(Bytes& bytes, std::size_t at, std::uint16_t value) {
  bytes.at(at) = static_cast<std::uint8_t>(value);
  bytes.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
}

void PutLe32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

namespace {

// One byte at a time: GCC 12 at -O3 warns falsely (-Wstringop-overflow) on the range insert of a small list.
void Append(Bytes& out, std::initializer_list<std::uint8_t> bytes) {
  for (std::uint8_t b : bytes) out.push_back(b);
}
void AppendLe16(Bytes& out, std::uint16_t v) {
  Append(out, {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
}
void AppendLe32(Bytes& out, std::uint32_t v) {
  AppendLe16(out, static_cast<std::uint16_t>(v));
  AppendLe16(out, static_cast<std::uint16_t>(v >> 16));
}

// One packed, padded BMP row from one-value-a-pixel indices (or raw bytes for 24 and 32 bits).
Bytes PackBmpRow(const Bytes& row, std::int32_t width, std::uint16_t bits) {
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  Bytes packed(stride, 0);
  if (bits >= 24) {
    std::copy(row.begin(), row.end(), packed.begin());
    return packed;
  }
  for (std::int32_t x = 0; x < width; ++x) {
    const std::size_t bit = static_cast<std::size_t>(x) * bits;
    packed[bit / 8] |= static_cast<std::uint8_t>(row[static_cast<std::size_t>(x)] << (8 - bits - bit % 8));
  }
  return packed;
}

}  // namespace

Bytes MakeBmp(const BmpFile& file) {
  Bytes pixels;
  for (std::size_t i = 0; i < file.rows.size(); ++i) {
    const Bytes& row = file.rows[file.top_down ? i : file.rows.size() - 1 - i];
    const Bytes packed = PackBmpRow(row, file.width, file.bits);
    pixels.insert(pixels.end(), packed.begin(), packed.end());
  }
  const std::uint32_t off_bits = 54 + 4 * static_cast<std::uint32_t>(file.palette.size());
  Bytes out;
  Append(out, {'B', 'M'});
  AppendLe32(out, off_bits + static_cast<std::uint32_t>(pixels.size()));  // bfSize
  AppendLe32(out, 0);                                                     // bfReserved1, bfReserved2
  AppendLe32(out, off_bits);
  AppendLe32(out, 40);  // biSize
  AppendLe32(out, static_cast<std::uint32_t>(file.width));
  AppendLe32(out, static_cast<std::uint32_t>(file.top_down ? -file.height : file.height));
  AppendLe16(out, 1);  // biPlanes
  AppendLe16(out, file.bits);
  AppendLe32(out, 0);  // biCompression
  AppendLe32(out, static_cast<std::uint32_t>(pixels.size()));
  AppendLe32(out, 2835);  // 72 dpi, both ways
  AppendLe32(out, 2835);
  AppendLe32(out, static_cast<std::uint32_t>(file.palette.size()));  // biClrUsed
  AppendLe32(out, 0);                                                // biClrImportant
  for (const Color& c : file.palette) Append(out, {c.blue, c.green, c.red, 0});
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

Bytes LzwCompress(std::span<const std::uint8_t> indices, int min_code_size) {
  const int clear = 1 << min_code_size;
  Bytes out;
  std::uint32_t held = 0;
  int held_bits = 0;
  int code_bits = min_code_size + 1;
  auto emit = [&](int code) {
    held |= static_cast<std::uint32_t>(code) << held_bits;
    held_bits += code_bits;
    while (held_bits >= 8) {
      out.push_back(static_cast<std::uint8_t>(held));
      held >>= 8;
      held_bits -= 8;
    }
  };
  std::map<std::pair<int, std::uint8_t>, int> table;
  int next = clear + 2;
  auto reset = [&] {
    emit(clear);
    table.clear();
    code_bits = min_code_size + 1;
    next = clear + 2;
  };
  // The decoder's table runs one code behind ours: it widens its codes once our `next` passes the limit.
  auto grow = [&] {
    ++next;
    if (next > (1 << code_bits) && code_bits < 12) ++code_bits;
  };
  reset();
  int current = -1;
  for (const std::uint8_t index : indices) {
    if (current < 0) {
      current = index;
      continue;
    }
    if (const auto found = table.find({current, index}); found != table.end()) {
      current = found->second;
      continue;
    }
    emit(current);
    table[{current, index}] = next;
    grow();
    current = index;
    if (next >= 4095) {
      emit(current);
      current = -1;
      reset();
    }
  }
  if (current >= 0) {
    emit(current);
    grow();
  }
  emit(clear + 1);
  if (held_bits > 0) out.push_back(static_cast<std::uint8_t>(held));
  return out;
}

Bytes MakeGif(const GifFile& file) {
  Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
  AppendLe16(out, file.screen_width);
  AppendLe16(out, file.screen_height);
  int size_bits = 0;
  while ((std::size_t{2} << size_bits) < file.palette.size()) ++size_bits;
  Append(out, {static_cast<std::uint8_t>(0x80 | size_bits), file.background, 0});
  for (const Color& c : file.palette) Append(out, {c.red, c.green, c.blue});
  Append(out, {0x21, 0xFE, 3, 'h', 'i', '!', 0});  // a comment extension, to be skipped
  out.push_back(0x2C);
  AppendLe16(out, file.left);
  AppendLe16(out, file.top);
  AppendLe16(out, file.width);
  AppendLe16(out, file.height);
  out.push_back(file.interlaced ? 0x40 : 0x00);
  Bytes order = file.indices;
  if (file.interlaced) {
    order.clear();
    for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
      for (int y = start; y < file.height; y += step) {
        const auto row = file.indices.begin() + y * file.width;
        order.insert(order.end(), row, row + file.width);
      }
    }
  }
  out.push_back(static_cast<std::uint8_t>(file.min_code_size));
  const Bytes codes = LzwCompress(order, file.min_code_size);
  for (std::size_t at = 0; at < codes.size(); at += 255) {
    const std::size_t length = std::min<std::size_t>(255, codes.size() - at);
    out.push_back(static_cast<std::uint8_t>(length));
    out.insert(out.end(), codes.begin() + static_cast<std::ptrdiff_t>(at),
               codes.begin() + static_cast<std::ptrdiff_t>(at + length));
  }
  Append(out, {0, 0x3B});
  return out;
}

Bytes MakePcx(const PcxFile& file) {
  Bytes out(128, 0);
  out[0] = 0x0A;
  out[pcx::kVersion] = file.version;
  out[2] = 1;  // run-length encoding
  out[3] = file.bits;
  PutLe16(out, pcx::kXMax, static_cast<std::uint16_t>(file.width - 1));
  PutLe16(out, pcx::kYMax, static_cast<std::uint16_t>(file.height - 1));
  out[pcx::kPlanes] = 1;
  PutLe16(out, pcx::kBytesPerLine, static_cast<std::uint16_t>(file.lines.empty() ? 0 : file.lines[0].size()));
  for (const Bytes& line : file.lines) {
    for (std::size_t x = 0; x < line.size();) {
      std::size_t run = 1;
      while (x + run < line.size() && line[x + run] == line[x] && run < 63) ++run;
      // Values of 0xC0 and up only ever travel inside a run, so the file reads the same by either rule.
      if (run > 1 || line[x] >= 0xC0)
        Append(out, {static_cast<std::uint8_t>(0xC0 + run), line[x]});
      else
        out.push_back(line[x]);
      x += run;
    }
  }
  if (file.bits == 8) {
    out.push_back(0x0C);
    for (std::size_t i = 0; i < 256; ++i) {
      const Color c = i < file.palette.size() ? file.palette[i] : Color{};
      Append(out, {c.red, c.green, c.blue});
    }
  }
  return out;
}

Bytes MakeIconImage(std::int32_t width, std::int32_t height, Color color) {
  Bytes out;
  AppendLe32(out, 40);
  AppendLe32(out, static_cast<std::uint32_t>(width));
  AppendLe32(out, static_cast<std::uint32_t>(2 * height));  // colour rows and mask rows
  AppendLe16(out, 1);
  AppendLe16(out, 32);
  for (int i = 0; i < 6; ++i) AppendLe32(out, 0);
  for (std::int32_t i = 0; i < width * height; ++i) Append(out, {color.blue, color.green, color.red, 0xFF});
  const std::size_t mask_stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
  out.insert(out.end(), mask_stride * static_cast<std::size_t>(height), 0);  // all opaque
  return out;
}

Bytes MakeIconFile(std::uint16_t type, std::vector<IconEntry> entries) {
  Bytes out;
  AppendLe16(out, 0);
  AppendLe16(out, type);
  AppendLe16(out, static_cast<std::uint16_t>(entries.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
  for (IconEntry& entry : entries) {
    if (entry.image.empty()) entry.image = MakeIconImage(entry.width, entry.height, entry.color);
    Append(out, {entry.width_byte, static_cast<std::uint8_t>(entry.height), entry.colors_byte, 0});
    AppendLe16(out, entry.planes_or_hot_x);
    AppendLe16(out, entry.bits_or_hot_y);
    AppendLe32(out, static_cast<std::uint32_t>(entry.image.size()));
    AppendLe32(out, offset);
    offset += static_cast<std::uint32_t>(entry.image.size());
  }
  for (const IconEntry& entry : entries) out.insert(out.end(), entry.image.begin(), entry.image.end());
  return out;
}

Bytes WritePng(std::int32_t width, std::int32_t height, std::span<const std::uint8_t> rgba) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr) == 0) {
    throw std::runtime_error(image.message);
  }
  Bytes out(size);
  if (png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr) == 0) {
    throw std::runtime_error(image.message);
  }
  out.resize(size);
  return out;
}

namespace {

// `choose_scans` (may be empty) sets the scan script after the defaults and the quality.
Bytes CompressJpeg(std::int32_t width, std::int32_t height, int components,
                   std::span<const std::uint8_t> samples, int quality,
                   const std::function<void(jpeg_compress_struct&)>& choose_scans) {
  // Test input only: the default error manager (which ends the process) is acceptable here.
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (choose_scans) choose_scans(info);
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(components);
  while (info.next_scanline < info.image_height) {
    auto* row = const_cast<JSAMPROW>(samples.data() + info.next_scanline * stride);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

}  // namespace

Bytes WriteJpeg(std::int32_t width, std::int32_t height, int components,
                std::span<const std::uint8_t> samples, int quality, bool progressive) {
  if (!progressive) return CompressJpeg(width, height, components, samples, quality, {});
  return CompressJpeg(width, height, components, samples, quality,
                      [](jpeg_compress_struct& info) { jpeg_simple_progression(&info); });
}

Bytes WriteJpegScans(std::int32_t width, std::int32_t height, std::span<const std::uint8_t> rgb, int scans) {
  constexpr int kComponents = 3, kLastCoefficient = 63;
  if (scans < 1 || scans > 1 + kComponents * kLastCoefficient) throw std::invalid_argument("scan count");
  // First the DC coefficients of all components (a progressive file must send them first), then single AC
  // coefficients, component by component; coefficients no scan sends decode as 0.
  std::vector<jpeg_scan_info> script(static_cast<std::size_t>(scans));
  script[0] = {kComponents, {0, 1, 2, 0}, 0, 0, 0, 0};
  for (int i = 1; i < scans; ++i) {
    const int component = (i - 1) / kLastCoefficient, coefficient = 1 + (i - 1) % kLastCoefficient;
    script[static_cast<std::size_t>(i)] = {1, {component, 0, 0, 0}, coefficient, coefficient, 0, 0};
  }
  return CompressJpeg(width, height, kComponents, rgb, 90, [&](jpeg_compress_struct& info) {
    info.scan_info = script.data();
    info.num_scans = scans;
  });
}

void FixPngChunkCrc(Bytes& png, std::size_t chunk_at) {
  const std::uint32_t length = static_cast<std::uint32_t>(png.at(chunk_at)) << 24 |
                               png.at(chunk_at + 1) << 16 | png.at(chunk_at + 2) << 8 | png.at(chunk_at + 3);
  const uLong crc = crc32(0, png.data() + chunk_at + 4, 4 + length);
  for (int i = 0; i < 4; ++i)
    png.at(chunk_at + 8 + length + i) = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

}  // namespace sw::test

// Decoding the pictures the program shows: the barcode's BMP bytes at the picture box's size, a JPEG skin
// and a PNG with alpha of the sizes the windows use, and flattening that PNG against a background.
#include <benchmark/benchmark.h>

#include "tests/ui/picture/picture_test_images.h"
#include "ui/picture/alpha_flatten.h"
#include "ui/picture/picture_decode.h"

namespace {

using sw::test::Bytes;

Bytes Pattern(std::size_t count) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>((i * 7) ^ (i >> 5));
  return bytes;
}

void Decode(benchmark::State& state, const Bytes& bytes) {
  for (auto _ : state) {
    auto picture = sw::DecodePicture(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    benchmark::DoNotOptimize(picture);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_DecodeBarcodeBmp344x120(benchmark::State& state) {
  std::vector<Bytes> rows(120, Pattern(344 * 3));
  static const Bytes bmp = sw::test::MakeBmp({.width = 344, .height = 120, .bits = 24, .rows = rows});
  Decode(state, bmp);
}
BENCHMARK(BM_DecodeBarcodeBmp344x120);

void BM_DecodeJpeg350x150(benchmark::State& state) {
  static const Bytes jpeg = sw::test::WriteJpeg(350, 150, 3, Pattern(350 * 150 * 3), 85, false);
  Decode(state, jpeg);
}
BENCHMARK(BM_DecodeJpeg350x150);

void BM_DecodePng200x200(benchmark::State& state) {
  static const Bytes png = sw::test::WritePng(200, 200, Pattern(200 * 200 * 4));
  Decode(state, png);
}
BENCHMARK(BM_DecodePng200x200);

void BM_FlattenAlpha200x200(benchmark::State& state) {
  const Bytes bgra = Pattern(200 * 200 * 4);
  for (auto _ : state) {
    auto flat = sw::FlattenAlpha(bgra, 0x00B9C958);
    benchmark::DoNotOptimize(flat);
  }
}
BENCHMARK(BM_FlattenAlpha200x200);

}  // namespace

BENCHMARK_MAIN();

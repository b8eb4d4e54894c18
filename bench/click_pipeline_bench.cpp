// The portable part of one generate click (encode, RenderWidths, GetData, ScaleBmpBytes to the 344 x 120
// picture box), and libzint encoding the same content as Code 128 into its own bitmap buffer at 3 pixels a
// module (scale 1.5, bars only, as our bare bars). Ends with a table of ours / zint.
#include <benchmark/benchmark.h>
#include <zint.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "encode/code128_encoder.h"
#include "render/scale_bmp.h"

namespace {

struct Content {
  const char* label;
  std::string text;
};

const std::vector<Content>& Contents() {
  static const std::vector<Content> contents = {
      {"1", "A"},
      {"7", "Code128"},
      {"20", "SW-20240131-ABC12345"},
      // zint takes at most 60 symbol characters, so the long content is digit-heavy (58 symbols here).
      {"80", "LOT-202401310001-9876543210123456/SN 00012345678901234567 REV B-20240131-1234567"},
  };
  return contents;
}

constexpr std::int32_t kPictureWidth = 344, kPictureHeight = 120;

// Encode, draw the bare bars and take their BMP bytes: what zint's encode-and-buffer does.
void OursEncodeRender(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    sw::Code128Encoder encoder;
    sw::Bitmap barcode = encoder.MakeBarcode(text);
    std::vector<std::uint8_t> bytes = barcode.GetData();
    benchmark::DoNotOptimize(bytes.data());
  }
}

// The whole portable click: the above, then scaled into the picture box.
void OursClick(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    sw::Code128Encoder encoder;
    sw::Bitmap barcode = encoder.MakeBarcode(text);
    const std::vector<std::uint8_t> bytes = barcode.GetData();
    std::vector<std::uint8_t> picture =
        sw::ScaleBmpBytes(bytes, barcode.GetWidth(), barcode.GetHeight(), kPictureWidth, kPictureHeight);
    benchmark::DoNotOptimize(picture.data());
  }
}

void ZintEncodeBuffer(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = BARCODE_CODE128;
    symbol->scale = 1.5f;
    symbol->show_hrt = 0;
    const int error = ZBarcode_Encode_and_Buffer(symbol, reinterpret_cast<const unsigned char*>(text.data()),
                                                 static_cast<int>(text.size()), 0);
    if (error >= ZINT_ERROR) state.SkipWithError(symbol->errtxt);
    benchmark::DoNotOptimize(symbol->bitmap);
    ZBarcode_Delete(symbol);
  }
}

// Collects each run's time per iteration for the closing table.
class TableReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    // With --benchmark_repetitions the median stands for the benchmark; otherwise its one run.
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (median || (run.run_type == Run::RT_Iteration && !medians_.contains(run.run_name.str()))) {
        times_[run.run_name.str()] = run.GetAdjustedCPUTime();
        if (median) medians_.insert(run.run_name.str());
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintTable() const {
    std::printf("\nCPU time per call, median when repeated\n%-8s %16s %12s %12s %18s\n", "content",
                "ours enc+draw", "zint", "ours/zint", "ours whole click");
    for (const Content& c : Contents()) {
      const double ours = Time("OursEncodeRender/" + std::string(c.label));
      const double zint = Time("ZintEncodeBuffer/" + std::string(c.label));
      const double click = Time("OursClick/" + std::string(c.label));
      std::printf("%-8s %13.2f us %9.2f us %12.2f %15.2f us\n", c.label, ours / 1e3, zint / 1e3,
                  zint > 0 ? ours / zint : 0.0, click / 1e3);
    }
  }

 private:
  double Time(const std::string& name) const {
    const auto it = times_.find(name);
    return it == times_.end() ? 0.0 : it->second;  // ns: every benchmark here reports nanoseconds
  }
  std::map<std::string, double> times_;
  std::set<std::string> medians_;
};

}  // namespace

int main(int argc, char** argv) {
  for (const Content& c : Contents()) {
    benchmark::RegisterBenchmark(("OursEncodeRender/" + std::string(c.label)).c_str(), OursEncodeRender,
                                 c.text);
    benchmark::RegisterBenchmark(("ZintEncodeBuffer/" + std::string(c.label)).c_str(), ZintEncodeBuffer,
                                 c.text);
    benchmark::RegisterBenchmark(("OursClick/" + std::string(c.label)).c_str(), OursClick, c.text);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TableReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintTable();
  benchmark::Shutdown();
  return 0;
}

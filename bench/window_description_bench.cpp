// Reading the program's own description table, as each start of the program does once.
#include <benchmark/benchmark.h>

#include <span>

#include "ui/description/window_description.h"

namespace sw::resources {
extern const std::span<const unsigned char> kWindowDescriptions;
}

namespace {

void BM_ReadEmbeddedDescriptionTable(benchmark::State& state) {
  for (auto _ : state) {
    auto read = sw::ReadDescriptionTable(sw::resources::kWindowDescriptions);
    benchmark::DoNotOptimize(read);
  }
  state.SetBytesProcessed(
      static_cast<std::int64_t>(state.iterations() * sw::resources::kWindowDescriptions.size()));
}
BENCHMARK(BM_ReadEmbeddedDescriptionTable);

}  // namespace

BENCHMARK_MAIN();

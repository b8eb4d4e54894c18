// When long work shows its progress, and what the progress window says of it.
#pragma once

#include <cstdint>
#include <string>

namespace sw::app {

// Work that has run `elapsed_ms` and finished `done` of `total` items shows its progress once it has run
// for a second, or earlier once it has run a quarter of one and is on course to take more than a second.
// Work that is through shows nothing.
inline constexpr std::int64_t kProgressAfterMs = 1000;
bool ShowsProgress(std::int64_t elapsed_ms, std::int64_t done, std::int64_t total);

// The bar's filled width in a track `track` pixels wide: never past the track, whatever the counts.
int ProgressFill(std::int64_t done, std::int64_t total, int track);

// "已完成 12 / 100": done of total.
std::string ProgressLine(std::int64_t done, std::int64_t total);

}  // namespace sw::app

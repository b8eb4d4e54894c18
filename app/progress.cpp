#include "app/progress.h"

#include <algorithm>

#include "app/app_texts.h"

namespace sw::app {

bool ShowsProgress(std::int64_t elapsed_ms, std::int64_t done, std::int64_t total) {
  if (done >= total || elapsed_ms < 0) return false;
  if (elapsed_ms >= kProgressAfterMs) return true;
  // Before a quarter second the estimate is mostly noise (the first file, a cold disk cache).
  if (elapsed_ms < kProgressAfterMs / 4 || done <= 0) return false;
  return static_cast<double>(elapsed_ms) * static_cast<double>(total) / static_cast<double>(done) >
         static_cast<double>(kProgressAfterMs);
}

int ProgressFill(std::int64_t done, std::int64_t total, int track) {
  if (total <= 0 || done <= 0 || track <= 0) return 0;
  if (done >= total) return track;
  return static_cast<int>(static_cast<double>(track) * static_cast<double>(done) /
                          static_cast<double>(total));
}

std::string ProgressLine(std::int64_t done, std::int64_t total) {
  return std::string(kProgressLineStart) + std::to_string(done) + " / " + std::to_string(total);
}

}  // namespace sw::app

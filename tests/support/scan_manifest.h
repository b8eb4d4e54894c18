// A line of the manifest that tests/app/scan_check.py reads: a picture's file name and, in hex, the
// content both decoders must read from it (hex, so that any byte survives the file).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace sw::testing {

inline std::string ScanManifestLine(std::string_view picture, std::string_view content) {
  std::string line(picture);
  line += ' ';
  char pair[3];
  for (const unsigned char c : content) {
    std::snprintf(pair, sizeof pair, "%02x", c);
    line += pair;
  }
  return line + '\n';
}

}  // namespace sw::testing

#include "ui/files/file_name.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "base/gbk.h"

namespace sw {

bool IsSafeFileNamePart(std::string_view gbk) {
  for (std::size_t i = 0; i < gbk.size(); ++i) {
    if (gbk::IsDoubleByteAt(gbk, i)) {  // its trail byte is part of the character, whatever it equals
      ++i;
      continue;
    }
    const auto byte = static_cast<unsigned char>(gbk[i]);
    if (gbk::IsLeadByte(byte)) return false;  // half a character names no file anyone meant
    if (byte < 0x20 || byte == 0x7F || byte == '\\' || byte == '/' || byte == ':') return false;
  }
  return true;
}

namespace {

// A file name's length limit, in UTF-16 units; a GBK character, of one byte or two, is one of them.
constexpr std::size_t kMaxNameCharacters = 255;

bool IsForbiddenInName(unsigned char byte) {
  constexpr std::string_view kForbidden = "\\/:*?\"<>|";
  return byte < 0x20 || byte == 0x7F || kForbidden.find(static_cast<char>(byte)) != std::string_view::npos;
}

std::size_t CharacterCount(std::string_view gbk) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < gbk.size(); i += gbk::IsDoubleByteAt(gbk, i) ? 2 : 1) ++count;
  return count;
}

// Windows opens the device for these names whatever extension follows them.
bool IsDeviceName(std::string_view base) {
  constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  std::string upper(base);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (std::find(kDevices.begin(), kDevices.end(), upper) != kDevices.end()) return true;
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
         upper[3] <= '9';
}

}  // namespace

std::string FileNameFrom(std::string_view stem, std::string_view extension, std::size_t max_characters) {
  const std::size_t extension_characters = CharacterCount(extension);
  const std::size_t most = std::min(max_characters, kMaxNameCharacters);
  const std::size_t room = most > extension_characters ? most - extension_characters : 0;
  std::string name;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < stem.size() && characters < room; ++i, ++characters) {
    if (gbk::IsDoubleByteAt(stem, i)) {  // its trail byte is part of the character, whatever it equals
      name += stem.substr(i, 2);
      ++i;
      continue;
    }
    const auto byte = static_cast<unsigned char>(stem[i]);
    name += gbk::IsLeadByte(byte) || IsForbiddenInName(byte) ? '_' : stem[i];
  }
  const std::size_t base_end = std::min(name.find('.'), name.size());
  if (IsDeviceName(std::string_view(name).substr(0, base_end))) name.insert(base_end, 1, '_');
  if (extension.empty() && !name.empty() && (name.back() == '.' || name.back() == ' ')) name.back() = '_';
  return name + std::string(extension);
}

}  // namespace sw

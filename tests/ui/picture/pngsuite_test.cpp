// libpng's own test images (PngSuite and the generated colour-type set) from the unpacked libpng source in
// the build tree: every valid one decodes to what libpng's simplified read of the file gives in RGBA, and
// every crasher is refused.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ui/picture/picture_decode.h"

namespace sw {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// <deps source>/libpng1.6/<unpacked version>/contrib
std::optional<fs::path> LibpngContrib() {
  const fs::path packages = fs::path(SW_DEPS_SOURCE_DIR) / "libpng1.6";
  std::error_code error;
  if (!fs::is_directory(packages, error)) return std::nullopt;
  for (const fs::directory_entry& entry : fs::directory_iterator(packages, error)) {
    if (fs::is_directory(entry.path() / "contrib" / "pngsuite")) return entry.path() / "contrib";
  }
  return std::nullopt;
}

std::vector<fs::path> PngFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".png") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

struct Reference {
  std::uint32_t width, height;
  Bytes rgba;
};

// libpng reading the file by name, in RGBA: a path through the library separate from ours.
std::optional<Reference> ReadWithLibpng(const fs::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return std::nullopt;
  image.format = PNG_FORMAT_RGBA;
  Reference reference{image.width, image.height, Bytes(PNG_IMAGE_SIZE(image))};
  if (png_image_finish_read(&image, nullptr, reference.rgba.data(), 0, nullptr) == 0) {
    png_image_free(&image);
    return std::nullopt;
  }
  return reference;
}

void ExpectSameAsLibpng(const fs::path& path) {
  const std::optional<Reference> reference = ReadWithLibpng(path);
  ASSERT_TRUE(reference) << path;
  const Bytes bytes = ReadFile(path);
  const auto picture = DecodePicture(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  ASSERT_TRUE(picture) << path;
  EXPECT_EQ(picture->kind, PictureKind::kPng);
  EXPECT_EQ(static_cast<std::uint32_t>(picture->width), reference->width) << path;
  EXPECT_EQ(static_cast<std::uint32_t>(picture->height), reference->height) << path;
  Bytes expected_bgra = reference->rgba;
  for (std::size_t i = 0; i + 3 < expected_bgra.size(); i += 4)
    std::swap(expected_bgra[i], expected_bgra[i + 2]);
  EXPECT_TRUE(picture->pixels == expected_bgra) << path << ": pixels differ";
}

class PngSuite : public ::testing::Test {
 protected:
  void SetUp() override {
    contrib_ = LibpngContrib();
    if (!contrib_) {
      GTEST_SKIP() << "libpng's unpacked source is not under " << SW_DEPS_SOURCE_DIR
                   << "/libpng1.6 (scripts/bootstrap fetches it)";
    }
  }
  std::optional<fs::path> contrib_;
};

TEST_F(PngSuite, EveryValidImageDecodesLikeLibpngItself) {
  std::size_t checked = 0;
  for (const fs::path& folder :
       {*contrib_ / "pngsuite", *contrib_ / "pngsuite" / "interlaced", *contrib_ / "testpngs"}) {
    for (const fs::path& file : PngFiles(folder)) {
      ExpectSameAsLibpng(file);
      ++checked;
    }
  }
  EXPECT_GT(checked, 150u) << "fewer test images than libpng 1.6 ships";
}

TEST_F(PngSuite, CrashersAreRefused) {
  // Only this one is a readable image: its empty ancillary chunks are skipped with a warning.
  const std::set<std::string> readable = {"empty_ancillary_chunks.png"};
  const std::vector<fs::path> files = PngFiles(*contrib_ / "testpngs" / "crashers");
  ASSERT_FALSE(files.empty());
  for (const fs::path& file : files) {
    if (readable.contains(file.filename().string())) {
      ExpectSameAsLibpng(file);
      continue;
    }
    const Bytes bytes = ReadFile(file);
    EXPECT_FALSE(DecodePicture(bytes.data(), static_cast<std::int32_t>(bytes.size()))) << file;
  }
}

}  // namespace
}  // namespace sw

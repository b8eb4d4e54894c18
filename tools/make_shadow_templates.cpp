// make_shadow_templates <small.png> <large.png>
// Writes the two black shadow templates as 100 x 100 8-bit RGBA PNG files from their pixel rules.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include "shadow/shadow_template_profile.h"

namespace {

bool WritePng(const char* path, const std::vector<unsigned char>& rgba, int side) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = false;
  if (png && info && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, side, side, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    for (int y = 0; y < side; ++y) png_write_row(png, rgba.data() + static_cast<std::size_t>(y) * side * 4);
    png_write_end(png, nullptr);
    ok = true;
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_shadow_templates <small.png> <large.png>\n");
    return 2;
  }
  const struct {
    sw::ShadowTemplateKind kind;
    const char* path;
  } outputs[] = {{sw::ShadowTemplateKind::Small, argv[1]}, {sw::ShadowTemplateKind::Large, argv[2]}};
  for (const auto& output : outputs) {
    if (!WritePng(output.path, sw::ShadowTemplateRgba(output.kind), sw::kShadowTemplateSide)) {
      std::fprintf(stderr, "make_shadow_templates: cannot write %s\n", output.path);
      return 1;
    }
  }
  return 0;
}

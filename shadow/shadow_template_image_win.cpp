#include "shadow/shadow_template_image_win.h"

#include "shadow/system_call_table_win.h"

namespace sw::resources {
extern const std::span<const unsigned char> kShadowTemplateSmallPng;
extern const std::span<const unsigned char> kShadowTemplateLargePng;
}  // namespace sw::resources

namespace sw {
namespace {

// A PNG signature alone is 8 bytes; fewer than 5 cannot be an image of any kind.
constexpr std::size_t kMinimumImageBytes = 5;

ShadowTemplateImage g_small;
ShadowTemplateImage g_large;
std::span<const unsigned char> g_small_png;  // empty: the embedded one
std::span<const unsigned char> g_large_png;

}  // namespace

bool ShadowTemplateImage::LoadFromBytes(std::span<const unsigned char> bytes) {
  Release();
  if (bytes.size() < kMinimumImageBytes) return false;
  block_.reset(CallSystem<sysrow::kGlobalAlloc>(GMEM_MOVEABLE, bytes.size()));
  if (!block_) return false;
  // The stream is made over the block first; the bytes go in afterwards.
  IStream* stream = nullptr;
  const HRESULT made = CallSystem<sysrow::kCreateStreamOnHGlobal>(block_.get(), FALSE, &stream);
  stream_.reset(stream);
  if (FAILED(made) || !stream_) {
    Release();
    return false;
  }
  void* memory = CallSystem<sysrow::kGlobalLock>(block_.get());
  if (memory == nullptr) {
    Release();
    return false;
  }
  CallSystem<sysrow::kRtlMoveMemory>(memory, bytes.data(), bytes.size());
  CallSystem<sysrow::kGlobalUnlock>(block_.get());
  gdip::GpBitmap* bitmap = nullptr;
  if (CallSystem<sysrow::kGdipCreateBitmapFromStream>(stream_.get(), &bitmap) != gdip::kOk) bitmap = nullptr;
  image_.reset(bitmap);
  if (!image_) Release();
  return static_cast<bool>(image_);
}

void ShadowTemplateImage::Release() {
  image_.reset();
  stream_.reset();
  block_.reset();
}

ShadowTemplateImage& ShadowTemplateSmall() { return g_small; }
ShadowTemplateImage& ShadowTemplateLarge() { return g_large; }
std::span<const unsigned char> ShadowTemplateSmallPng() {
  return g_small_png.empty() ? resources::kShadowTemplateSmallPng : g_small_png;
}
std::span<const unsigned char> ShadowTemplateLargePng() {
  return g_large_png.empty() ? resources::kShadowTemplateLargePng : g_large_png;
}

void SetShadowTemplatePngs(std::span<const unsigned char> small, std::span<const unsigned char> large) {
  g_small_png = small;
  g_large_png = large;
}

void ReleaseShadowTemplates() {
  g_small.Release();
  g_large.Release();
}

}  // namespace sw

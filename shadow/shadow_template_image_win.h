// A PNG template decoded by GDI+ from bytes in memory. GDI+ reads the image lazily from its stream,
// so the memory block and the stream live as long as the image.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <span>

#include "shadow/gdiplus_flat_win.h"
#include "shadow/shadow_handles_win.h"

namespace sw {

class ShadowTemplateImage {
 public:
  constexpr ShadowTemplateImage() = default;
  ShadowTemplateImage(const ShadowTemplateImage&) = delete;
  ShadowTemplateImage& operator=(const ShadowTemplateImage&) = delete;

  // Replaces whatever is held; false (and nothing held) when the bytes cannot be decoded.
  bool LoadFromBytes(std::span<const unsigned char> bytes);
  void Release();
  gdip::GpImage* GetImage() const { return image_.get(); }

 private:
  // In the order they are made: they go in the reverse one.
  GlobalMemory block_;
  StreamReference stream_;
  GdipImage image_;
};

// The two black templates of the program, decoded on first use and kept until the end.
ShadowTemplateImage& ShadowTemplateSmall();
ShadowTemplateImage& ShadowTemplateLarge();
std::span<const unsigned char> ShadowTemplateSmallPng();
std::span<const unsigned char> ShadowTemplateLargePng();
// Tests put other bytes in the embedded PNGs' place, to see a template that cannot be decoded; empty
// spans put the embedded ones back. Takes effect at the next decoding.
void SetShadowTemplatePngs(std::span<const unsigned char> small, std::span<const unsigned char> large);
// For the end-of-program routine.
void ReleaseShadowTemplates();

}  // namespace sw

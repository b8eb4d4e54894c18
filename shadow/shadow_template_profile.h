// The two black shadow templates as pixel rules: a 100 x 100 image whose outer band fades in towards
// the middle, transparent inside. Portable, so the build-time generator and the tests share it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace sw {

enum class ShadowTemplateKind { Small, Large };

inline constexpr int kShadowTemplateSide = 100;

// Alpha across a side at mid-length, outermost pixel first.
inline constexpr std::array<std::uint8_t, 5> kSmallShadowProfile = {15, 31, 53, 79, 111};
inline constexpr std::array<std::uint8_t, 10> kLargeShadowProfileTopLeft = {11, 19, 28,  40,  53,
                                                                            68, 85, 105, 122, 137};
// The right and bottom sides end a little lighter.
inline constexpr std::array<std::uint8_t, 10> kLargeShadowProfileBottomRight = {11, 19, 28,  40,  53,
                                                                                68, 85, 105, 122, 124};

// Top-left corner of the small template, row cy then column cx (0 at the outer edges); the other
// corners are its mirror images.
inline constexpr int kSmallCornerSpan = 11;
extern const std::array<std::array<std::uint8_t, kSmallCornerSpan>, kSmallCornerSpan> kSmallShadowCorner;

// Alpha of the pixel at column x, row y (0..99); every pixel is black.
std::uint8_t ShadowTemplateAlpha(ShadowTemplateKind kind, int x, int y);

// The whole image as 8-bit RGBA rows, top row first.
std::vector<std::uint8_t> ShadowTemplateRgba(ShadowTemplateKind kind);

}  // namespace sw

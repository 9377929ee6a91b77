// zunkefeitos, the image effects module: the pixel work of the filters and one step of each
// transition, on pictures alone (no game, no host). Every function accepts pictures of any
// size, empty ones included, and never reads or writes outside a picture.
#pragma once

#include <cstdint>

#include "screen/picture.h"

namespace zunk::effects {

// Rounds to the nearest integer, halves to even, as std::nearbyint does in the default rounding
// mode, without a library call: adding and removing 2^52 leaves no fraction bits. For
// 0 <= v < 2^51.
inline double RoundHalfEven(double v) {
  constexpr double kShift = 4503599627370496.0;  // 2^52
  return (v + kShift) - kShift;                  // strict IEEE arithmetic: never folded away
}

// A channel c brightened by the byte k: min(255, round(c + c * f)) with f = k / 255 in single
// precision, rounded to nearest with halves to even. c * k / 255 never lies nearer than 1/510 to
// a half, and the single-precision factor moves c * f by less than 255 * 2^-24, so the result is
// c + round(c * k / 255) = c + (c * k + 127) div 255 (the tests check every c and k).
inline std::uint8_t BrightenedChannel(std::uint8_t c, std::uint8_t k) {
  const unsigned v = c + (static_cast<unsigned>(c * k) + 127) / 255;
  return static_cast<std::uint8_t>(v < 255 ? v : 255);
}

// Each channel c of every pixel becomes min(255, round(c + c * f)) with f = k / 255 in single
// precision, k being the colour's byte for that channel; rounding is to nearest, halves to even.
void Filter(Picture& picture, Colour k);
// Filter with the same byte v for all three channels.
void Brighten(Picture& picture, std::uint8_t v);

// A 3 x 3 kernel: weight[dx + 1][dy + 1] weighs the neighbour at (x + dx, y + dy).
struct Kernel3x3 {
  int weight[3][3];
  int bias;
  int divisor;
};
inline constexpr Kernel3x3 kBlurKernel{{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}, 0, 9};
inline constexpr Kernel3x3 kEmbossKernel{{{-1, -1, 0}, {-1, 0, 1}, {0, 1, 1}}, 128, 1};

// Every channel becomes sum / divisor + bias, clamped to 0..255 and rounded (nearest, halves to
// even), the sum taken over the neighbours inside the picture from an unchanged copy; the
// neighbours outside add nothing and the divisor stays as given. Clamping and rounding commute
// here (both bounds are integers), so the order does not matter. A divisor of 0 leaves the
// picture unchanged.
void Convolve3x3(Picture& picture, const Kernel3x3& kernel);
inline void Blur(Picture& picture) {
  Convolve3x3(picture, kBlurKernel);
}
inline void Emboss(Picture& picture) {
  Convolve3x3(picture, kEmbossKernel);
}

// Every channel becomes round(0.2125 r + 0.7154 g + 0.0721 b), evaluated in double, rounded to
// nearest with halves to even.
void Grey(Picture& picture);

// Rows 0, 2, 4, ... take the colour.
void Scanlines(Picture& picture, Colour colour);

// Top-bottom and left-right mirrors.
void MirrorVertical(Picture& picture);
void MirrorHorizontal(Picture& picture);

// Blends source over dest, both at 0, 0, where they overlap: d += floor((s - d) * a / 256).
void AlphaBlend(Picture& dest, const Picture& source, std::uint8_t a);

// One fade step of a channel value: at most 8 nearer the target, never past it.
inline std::uint8_t StepToward(std::uint8_t c, std::uint8_t t) {
  if (t < c) return c - t > 8 ? c - 8 : t;
  if (t > c) return t - c > 8 ? c + 8 : t;
  return c;
}
// The number of fade steps after which every channel has reached its target.
inline constexpr int kFadeSteps = 32;

// One fade step of every channel toward the colour.
void FadeStepToColour(Picture& picture, Colour colour);
// One fade step of every channel toward the pixel at the same place in target; pixels that
// target lacks count as black.
void FadeStepToPicture(Picture& picture, const Picture& target);

// Pass `pass` of the blinds with `passes` passes: rows k * passes + pass for k from 0 to
// (height div passes) - 1 are copied from source (picture's width; what source lacks is black).
void BlindsPass(Picture& picture, const Picture& source, int passes, int pass);

// One step of a scroll: picture moves 8 pixels, the 8-pixel strip that comes into view is taken
// from incoming (black where incoming lacks it), and incoming moves on by 8 pixels, both within
// picture's width and height.
inline constexpr int kScrollStep = 8;
// The name says where picture's content moves.
void ScrollUpStep(Picture& picture, Picture& incoming);     // incoming enters at the bottom
void ScrollDownStep(Picture& picture, Picture& incoming);   // incoming enters at the top
void ScrollLeftStep(Picture& picture, Picture& incoming);   // incoming enters from the right
void ScrollRightStep(Picture& picture, Picture& incoming);  // incoming enters from the left

}  // namespace zunk::effects

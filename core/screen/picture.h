// Pictures of the screen and its layers: 24-bit pixels stored row by row as blue, green, red
// triples, with the block copies and the keyed (magenta transparent) drawing that every
// layer uses.
#pragma once

#include <cstdint>
#include <vector>

namespace zunk {

// A colour as scripts write it: red in the lowest byte, blue in the highest.
using Colour = std::uint32_t;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kMagenta = 0xFF00FF;  // the transparent colour of every layer

inline constexpr std::uint8_t RedOf(Colour c) { return c & 0xFF; }
inline constexpr std::uint8_t GreenOf(Colour c) { return (c >> 8) & 0xFF; }
inline constexpr std::uint8_t BlueOf(Colour c) { return (c >> 16) & 0xFF; }
inline constexpr Colour MakeColour(int r, int g, int b) {
  return static_cast<Colour>(r) | static_cast<Colour>(g) << 8 | static_cast<Colour>(b) << 16;
}

// The largest picture accepted from a file or a script: pictures beyond it are refused
// before anything is allocated.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPicturePixels = 32LL * 1024 * 1024;
bool PictureSizeAllowed(std::int64_t width, std::int64_t height);

class Picture {
 public:
  Picture() = default;
  // A picture of the size filled with the colour; a ScriptFault when the size is refused.
  Picture(int width, int height, Colour fill = kWhite);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ == 0 || height_ == 0; }
  std::size_t stride() const { return static_cast<std::size_t>(width_) * 3; }

  // Row y as width() blue, green, red triples.
  std::uint8_t* Row(int y) { return pixels_.data() + stride() * y; }
  const std::uint8_t* Row(int y) const { return pixels_.data() + stride() * y; }

  // Gives the picture a new size, filled with the colour.
  void Reset(int width, int height, Colour fill = kWhite);

  Colour Pixel(int x, int y) const;
  void SetPixel(int x, int y, Colour colour);
  void Fill(Colour colour);
  // Fills the part of the rectangle that lies inside the picture.
  void FillRect(int x, int y, int w, int h, Colour colour);

  bool operator==(const Picture& other) const = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> pixels_;
};

// Copies the w × h rectangle at sx, sy of source to dx, dy of dest, clipped to dest. Where
// the source rectangle lies outside source the copy paints black. source and dest may be the
// same picture (overlapping rectangles copy as if through a temporary).
void CopyRect(Picture& dest, int dx, int dy, const Picture& source, int sx, int sy, int w, int h);

// Paints the source rectangle (sx, sy, sw, sh), stretched to the destination rectangle
// (dx, dy, dw, dh), onto dest, leaving dest unchanged wherever the source pixel is magenta.
// All eight numbers are taken as signed 16-bit values. Stretching picks the nearest source
// pixel (floor of the scaled position). Source pixels outside source count as transparent;
// a rectangle with a size of 0 or less draws nothing.
void DrawKeyed(Picture& dest, const Picture& source, int dx, int dy, int sx, int sy, int sw,
               int sh, int dw, int dh);

}  // namespace zunk

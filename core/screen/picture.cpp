// Picture storage, fills, block copies and keyed drawing.
#include "screen/picture.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "script/script_fault.h"

namespace zunk {

bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
  return width >= 0 && height >= 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

Picture::Picture(int width, int height, Colour fill) { Reset(width, height, fill); }

void Picture::Reset(int width, int height, Colour fill) {
  if (!PictureSizeAllowed(width, height)) {
    throw ScriptFault("Imagem grande demais: " + std::to_string(width) + " \xD7 " +
                      std::to_string(height) + " pixels.");
  }
  width_ = width;
  height_ = height;
  pixels_.assign(stride() * height_, 0);
  Fill(fill);
}

Colour Picture::Pixel(int x, int y) const {
  const std::uint8_t* p = Row(y) + x * 3;
  return MakeColour(p[2], p[1], p[0]);
}

void Picture::SetPixel(int x, int y, Colour colour) {
  std::uint8_t* p = Row(y) + x * 3;
  p[0] = BlueOf(colour);
  p[1] = GreenOf(colour);
  p[2] = RedOf(colour);
}

void Picture::Fill(Colour colour) { FillRect(0, 0, width_, height_, colour); }

void Picture::FillRect(int x, int y, int w, int h, Colour colour) {
  const int x0 = std::max(x, 0);
  const int y0 = std::max(y, 0);
  const int x1 = static_cast<int>(std::min<std::int64_t>(std::int64_t{x} + w, width_));
  const int y1 = static_cast<int>(std::min<std::int64_t>(std::int64_t{y} + h, height_));
  if (x0 >= x1 || y0 >= y1) return;
  const std::uint8_t pixel[3] = {BlueOf(colour), GreenOf(colour), RedOf(colour)};
  std::uint8_t* first = Row(y0) + x0 * 3;
  for (int i = 0; i < x1 - x0; ++i) std::memcpy(first + i * 3, pixel, 3);
  const std::size_t bytes = static_cast<std::size_t>(x1 - x0) * 3;
  for (int row = y0 + 1; row < y1; ++row) std::memcpy(Row(row) + x0 * 3, first, bytes);
}

void CopyRect(Picture& dest, int dx, int dy, const Picture& source, int sx, int sy, int w, int h) {
  if (&dest == &source) {
    const Picture copy = source;
    CopyRect(dest, dx, dy, copy, sx, sy, w, h);
    return;
  }
  // Clip the destination, moving the source corner with it.
  std::int64_t x0 = dx, y0 = dy;
  std::int64_t x1 = std::min<std::int64_t>(std::int64_t{dx} + std::max(w, 0), dest.width());
  std::int64_t y1 = std::min<std::int64_t>(std::int64_t{dy} + std::max(h, 0), dest.height());
  x0 = std::max<std::int64_t>(x0, 0);
  y0 = std::max<std::int64_t>(y0, 0);
  if (x0 >= x1 || y0 >= y1) return;
  const std::int64_t shift_x = std::int64_t{sx} - dx;
  const std::int64_t shift_y = std::int64_t{sy} - dy;
  // The part whose source lies inside source is copied; the rest is black.
  const std::int64_t in_x0 = std::clamp<std::int64_t>(-shift_x, x0, x1);
  const std::int64_t in_x1 = std::clamp<std::int64_t>(source.width() - shift_x, in_x0, x1);
  for (std::int64_t y = y0; y < y1; ++y) {
    std::uint8_t* row = dest.Row(static_cast<int>(y));
    const std::int64_t source_y = y + shift_y;
    if (source_y < 0 || source_y >= source.height() || in_x0 >= in_x1) {
      std::memset(row + x0 * 3, 0, static_cast<std::size_t>(x1 - x0) * 3);
      continue;
    }
    std::memset(row + x0 * 3, 0, static_cast<std::size_t>(in_x0 - x0) * 3);
    std::memcpy(row + in_x0 * 3, source.Row(static_cast<int>(source_y)) + (in_x0 + shift_x) * 3,
                static_cast<std::size_t>(in_x1 - in_x0) * 3);
    std::memset(row + in_x1 * 3, 0, static_cast<std::size_t>(x1 - in_x1) * 3);
  }
}

void DrawKeyed(Picture& dest, const Picture& source, int dx, int dy, int sx, int sy, int sw,
               int sh, int dw, int dh) {
  dx = static_cast<std::int16_t>(dx);
  dy = static_cast<std::int16_t>(dy);
  sx = static_cast<std::int16_t>(sx);
  sy = static_cast<std::int16_t>(sy);
  sw = static_cast<std::int16_t>(sw);
  sh = static_cast<std::int16_t>(sh);
  dw = static_cast<std::int16_t>(dw);
  dh = static_cast<std::int16_t>(dh);
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  const int x0 = std::max(dx, 0);
  const int y0 = std::max(dy, 0);
  const int x1 = std::min(dx + dw, dest.width());
  const int y1 = std::min(dy + dh, dest.height());
  if (x0 >= x1 || y0 >= y1) return;
  // Source column of each destination column, -1 when it lies outside source.
  std::vector<int> source_column(x1 - x0);
  for (int x = x0; x < x1; ++x) {
    const int column = sx + static_cast<int>(static_cast<std::int64_t>(x - dx) * sw / dw);
    source_column[x - x0] = column >= 0 && column < source.width() ? column * 3 : -1;
  }
  const bool same_size = sw == dw && sx >= 0 && sx + sw <= source.width();
  for (int y = y0; y < y1; ++y) {
    const int source_y = sy + static_cast<int>(static_cast<std::int64_t>(y - dy) * sh / dh);
    if (source_y < 0 || source_y >= source.height()) continue;
    const std::uint8_t* from = source.Row(source_y);
    std::uint8_t* to = dest.Row(y) + x0 * 3;
    if (same_size) {
      const std::uint8_t* p = from + source_column[0];
      for (int i = 0; i < x1 - x0; ++i, p += 3, to += 3) {
        if (p[0] == 0xFF && p[1] == 0x00 && p[2] == 0xFF) continue;
        to[0] = p[0];
        to[1] = p[1];
        to[2] = p[2];
      }
      continue;
    }
    for (int i = 0; i < x1 - x0; ++i, to += 3) {
      const int offset = source_column[i];
      if (offset < 0) continue;
      const std::uint8_t* p = from + offset;
      if (p[0] == 0xFF && p[1] == 0x00 && p[2] == 0xFF) continue;
      to[0] = p[0];
      to[1] = p[1];
      to[2] = p[2];
    }
  }
}

}  // namespace zunk

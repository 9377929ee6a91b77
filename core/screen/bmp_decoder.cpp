// BMP decoding: the file and info headers, the palette, colour masks and the pixel rows.
#include "screen/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace zunk {
namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // the old header with 16-bit sizes
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}
std::uint32_t U32(std::string_view b, std::size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}

// One colour channel of a masked pixel, scaled to 0..255.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(std::uint32_t m = 0) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    bits = std::popcount(mask >> shift);
  }
  std::uint8_t Of(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    const std::uint32_t value = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<std::uint8_t>(value >> (bits - 8));
    return static_cast<std::uint8_t>(value * 255 / ((1u << bits) - 1));
  }
};

struct Layout {
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool top_down = false;
  int bits = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t colours_used = 0;
  std::size_t palette_start = 0;
  std::size_t palette_entry = 4;
  std::array<Channel, 3> masks;  // red, green, blue
};

std::optional<Layout> ReadLayout(std::string_view b) {
  if (b.size() < kFileHeaderSize + 4 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  const std::uint32_t header_size = U32(b, 14);
  if (header_size < kCoreHeaderSize || header_size > b.size() - kFileHeaderSize) {
    return std::nullopt;
  }
  Layout layout;
  if (header_size == kCoreHeaderSize) {
    layout.width = U16(b, 18);
    layout.height = U16(b, 20);
    layout.bits = static_cast<int>(U16(b, 24));
    layout.palette_entry = 3;
  } else if (header_size >= kInfoHeaderSize) {
    layout.width = static_cast<std::int32_t>(U32(b, 18));
    layout.height = static_cast<std::int32_t>(U32(b, 22));
    layout.bits = static_cast<int>(U16(b, 28));
    layout.compression = U32(b, 30);
    layout.colours_used = U32(b, 46);
  } else {
    return std::nullopt;
  }
  if (layout.height < 0) {
    layout.top_down = true;
    layout.height = -layout.height;
  }
  layout.palette_start = kFileHeaderSize + header_size;

  const int bits = layout.bits;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return std::nullopt;
  }
  if (bits == 16) layout.masks = {Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
  if (bits == 32) layout.masks = {Channel(0xFF0000), Channel(0xFF00), Channel(0xFF)};
  if (layout.compression == kBiBitfields && (bits == 16 || bits == 32)) {
    // The masks follow a 40-byte header and sit inside the longer ones.
    std::size_t at = kFileHeaderSize + kInfoHeaderSize;
    if (header_size == kInfoHeaderSize) layout.palette_start += 12;
    if (at + 12 > b.size()) return std::nullopt;
    layout.masks = {Channel(U32(b, at)), Channel(U32(b, at + 4)), Channel(U32(b, at + 8))};
  } else if (layout.compression != kBiRgb) {
    return std::nullopt;
  }
  return layout;
}

// The palette as B,G,R triples; indices beyond the stored entries stay black. Only 1, 4 and
// 8-bit pictures have one, and no more entries are read than the array holds, whatever the
// header's colour count or the gap before the pixels suggest.
using Palette = std::array<std::uint8_t, 256 * 3>;

Palette ReadPalette(std::string_view b, const Layout& layout, std::size_t pixel_offset) {
  Palette palette{};
  if (layout.bits > 8) return palette;
  std::size_t count = std::size_t{1} << layout.bits;
  if (layout.colours_used != 0) count = std::min<std::size_t>(count, layout.colours_used);
  const std::size_t end = std::min(pixel_offset, b.size());
  if (end <= layout.palette_start) return palette;
  count =
      std::min({count, (end - layout.palette_start) / layout.palette_entry, palette.size() / 3});
  for (std::size_t i = 0; i < count; ++i) {
    std::memcpy(&palette[i * 3], b.data() + layout.palette_start + i * layout.palette_entry, 3);
  }
  return palette;
}

void DecodeRow(const std::uint8_t* in, std::uint8_t* out, const Layout& layout,
               const Palette& palette) {
  const int width = static_cast<int>(layout.width);
  switch (layout.bits) {
    case 1:
    case 4:
    case 8: {
      const int bits = layout.bits;
      const int per_byte = 8 / bits;
      const unsigned mask = (1u << bits) - 1;
      for (int x = 0; x < width; ++x, out += 3) {
        const int shift = 8 - bits * (x % per_byte + 1);
        const unsigned index = (in[x / per_byte] >> shift) & mask;
        std::memcpy(out, &palette[index * 3], 3);
      }
      return;
    }
    case 24:
      std::memcpy(out, in, static_cast<std::size_t>(width) * 3);
      return;
    default: {
      const int bytes = layout.bits / 8;
      for (int x = 0; x < width; ++x, out += 3, in += bytes) {
        const std::uint32_t pixel =
            bytes == 2 ? in[0] | in[1] << 8
                       : in[0] | in[1] << 8 | in[2] << 16 | static_cast<std::uint32_t>(in[3]) << 24;
        out[0] = layout.masks[2].Of(pixel);
        out[1] = layout.masks[1].Of(pixel);
        out[2] = layout.masks[0].Of(pixel);
      }
    }
  }
}

}  // namespace

std::optional<Picture> DecodeBmp(std::string_view bytes) {
  const auto layout = ReadLayout(bytes);
  if (!layout || layout->width <= 0 || layout->height <= 0 ||
      !PictureSizeAllowed(layout->width, layout->height)) {
    return std::nullopt;
  }
  // The rows: each padded to four bytes, the last one possibly without its padding.
  const std::uint64_t pixel_offset = U32(bytes, 10);
  const std::uint64_t row_bytes =
      (static_cast<std::uint64_t>(layout->width) * layout->bits + 7) / 8;
  const std::uint64_t stride = (row_bytes + 3) & ~std::uint64_t{3};
  const std::uint64_t last_row_end =
      pixel_offset + stride * static_cast<std::uint64_t>(layout->height - 1) + row_bytes;
  if (pixel_offset < kFileHeaderSize || last_row_end > bytes.size()) return std::nullopt;

  const auto palette = ReadPalette(bytes, *layout, pixel_offset);
  Picture picture(static_cast<int>(layout->width), static_cast<int>(layout->height), kBlack);
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data()) + pixel_offset;
  for (int row = 0; row < picture.height(); ++row) {
    const int y = layout->top_down ? row : picture.height() - 1 - row;
    DecodeRow(data + stride * row, picture.Row(y), *layout, palette);
  }
  return picture;
}

}  // namespace zunk

// The pixel work of the image effects: filters over whole pictures and one step of each
// transition.
#include "screen/effects/zunkefeitos.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zunk::effects {
namespace {

// The colour's bytes in the order of a row's bytes (blue, green, red), repeated for width
// pixels.
std::vector<std::uint8_t> ColourRow(Colour colour, int width) {
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
  for (std::size_t i = 0; i < row.size(); i += 3) {
    row[i] = BlueOf(colour);
    row[i + 1] = GreenOf(colour);
    row[i + 2] = RedOf(colour);
  }
  return row;
}

// One fade step of count bytes toward the target bytes.
void StepBytes(std::uint8_t* __restrict p, const std::uint8_t* __restrict target,
               std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    p[i] = static_cast<std::uint8_t>(p[i] + std::clamp(target[i] - p[i], -8, 8));
  }
}

// What a convolution sum becomes: sum / divisor + bias, clamped, rounded.
std::uint8_t ConvolvedValue(int sum, const Kernel3x3& kernel) {
  const double v = static_cast<double>(sum) / kernel.divisor + kernel.bias;
  return static_cast<std::uint8_t>(RoundHalfEven(std::clamp(v, 0.0, 255.0)));
}

// The largest range of sums turned into values through a table; wider kernels compute each
// value on its own.
constexpr long kMaxSumTable = 1 << 20;

enum class SumsToValues { kClamp, kNinths, kTable };

// One output row of a convolution: the weighted sums of the three padded source rows (row
// pointers at the first real pixel), summed into sums and turned into values. Weights of 1 and -1
// add and subtract.
template <typename Sum>
void ConvolveRow(const std::uint8_t* const rows[3], std::size_t bytes, const Kernel3x3& kernel,
                 SumsToValues to_values, const std::vector<std::uint8_t>& value_of_sum, long lowest,
                 Sum* __restrict sums, std::uint8_t* __restrict out) {
  std::fill(sums, sums + bytes, Sum{0});
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int w = kernel.weight[dx + 1][dy + 1];
      const std::uint8_t* __restrict from = rows[dy + 1] + 3 * dx;
      if (w == 1) {
        for (std::size_t i = 0; i < bytes; ++i) sums[i] = static_cast<Sum>(sums[i] + from[i]);
      } else if (w == -1) {
        for (std::size_t i = 0; i < bytes; ++i) sums[i] = static_cast<Sum>(sums[i] - from[i]);
      } else if (w != 0) {
        const Sum weight = static_cast<Sum>(w);
        for (std::size_t i = 0; i < bytes; ++i) {
          sums[i] = static_cast<Sum>(sums[i] + weight * from[i]);
        }
      }
    }
  }
  switch (to_values) {
    case SumsToValues::kClamp: {
      const Sum bias = static_cast<Sum>(kernel.bias);
      for (std::size_t i = 0; i < bytes; ++i) {
        const int v = sums[i] + bias;
        out[i] = static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
      }
      break;
    }
    case SumsToValues::kNinths:
      for (std::size_t i = 0; i < bytes; ++i) {
        const std::uint32_t shifted = static_cast<std::uint16_t>(sums[i] + 4);
        out[i] = static_cast<std::uint8_t>(shifted * 7282u >> 16);
      }
      break;
    case SumsToValues::kTable:
      if (!value_of_sum.empty()) {
        for (std::size_t i = 0; i < bytes; ++i) out[i] = value_of_sum[sums[i] - lowest];
      } else {
        for (std::size_t i = 0; i < bytes; ++i) out[i] = ConvolvedValue(sums[i], kernel);
      }
      break;
  }
}

}  // namespace

void Filter(Picture& picture, Colour k) {
  const std::vector<std::uint8_t> factors = ColourRow(k, picture.width());
  const std::uint8_t* __restrict f = factors.data();
  for (int y = 0; y < picture.height(); ++y) {
    std::uint8_t* __restrict p = picture.Row(y);
    for (std::size_t i = 0; i < factors.size(); ++i) p[i] = BrightenedChannel(p[i], f[i]);
  }
}

void Brighten(Picture& picture, std::uint8_t v) {
  Filter(picture, MakeColour(v, v, v));
}

void Convolve3x3(Picture& picture, const Kernel3x3& kernel) {
  if (kernel.divisor == 0 || picture.empty()) return;
  const int height = picture.height();
  const std::size_t row_bytes = picture.stride();

  // An unchanged copy with a border of one black pixel all round: the neighbours outside the
  // picture then add nothing without a test per pixel.
  const std::size_t padded_stride = row_bytes + 6;
  std::vector<std::uint8_t> padded(padded_stride * (height + 2), 0);
  for (int y = 0; y < height; ++y) {
    std::memcpy(padded.data() + padded_stride * (y + 1) + 3, picture.Row(y), row_bytes);
  }

  // Every sum lies between 255 times the negative weights and 255 times the positive ones.
  long lowest = 0, highest = 0;
  for (const auto& column : kernel.weight) {
    for (const int w : column) (w < 0 ? lowest : highest) += 255L * w;
  }
  // How sums become values. A divisor of 1 needs only the clamp. A non-negative sum of at
  // most 2295 over 9 never ends in a half, and (sum + 4) * 7282 >> 16 is floor((sum + 4) / 9)
  // there (the error of 7282 / 65536 against 1 / 9 stays below 1 / 9 over that range), which
  // is the sum rounded. Other kernels go through a table of every possible sum.
  const bool integral = kernel.divisor == 1;
  const bool ninths = kernel.divisor == 9 && kernel.bias == 0 && lowest >= 0 && highest <= 2295;
  std::vector<std::uint8_t> value_of_sum;
  if (!integral && !ninths && highest - lowest < kMaxSumTable) {
    value_of_sum.resize(highest - lowest + 1);
    for (long s = lowest; s <= highest; ++s) {
      value_of_sum[s - lowest] = ConvolvedValue(static_cast<int>(s), kernel);
    }
  }

  // Sums that fit in 16 bits use 16-bit lanes: twice as many per vector operation, and a
  // native multiply.
  const bool narrow = lowest >= INT16_MIN && highest <= INT16_MAX;
  const SumsToValues to_values = integral ? SumsToValues::kClamp
                                 : ninths ? SumsToValues::kNinths
                                          : SumsToValues::kTable;
  std::vector<std::int16_t> narrow_sums(narrow ? row_bytes : 0);
  std::vector<std::int32_t> wide_sums(narrow ? 0 : row_bytes);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* rows[3];
    for (int dy = -1; dy <= 1; ++dy) {
      rows[dy + 1] = padded.data() + padded_stride * (y + 1 + dy) + 3;
    }
    if (narrow) {
      ConvolveRow<std::int16_t>(rows, row_bytes, kernel, to_values, value_of_sum, lowest,
                                narrow_sums.data(), picture.Row(y));
    } else {
      ConvolveRow<std::int32_t>(rows, row_bytes, kernel, to_values, value_of_sum, lowest,
                                wide_sums.data(), picture.Row(y));
    }
  }
}

void Grey(Picture& picture) {
  // The products of each channel come from tables; the sum keeps the order r, g, b.
  double red_part[256], green_part[256], blue_part[256];
  for (int c = 0; c < 256; ++c) {
    red_part[c] = 0.2125 * c;
    green_part[c] = 0.7154 * c;
    blue_part[c] = 0.0721 * c;
  }
  const auto grey = [&](std::uint32_t b, std::uint32_t g, std::uint32_t r) -> std::uint32_t {
    // The sum stays below 255.5, so the rounded value is at most 255.
    return static_cast<std::uint32_t>(
        static_cast<int>(RoundHalfEven(red_part[r] + green_part[g] + blue_part[b])));
  };
  const int width = picture.width();
  for (int y = 0; y < picture.height(); ++y) {
    std::uint8_t* p = picture.Row(y);
    int x = 0;
    static_assert(std::endian::native == std::endian::little);
    // Four pixels are three 32-bit words: b0 g0 r0 b1 | g1 r1 b2 g2 | r2 b3 g3 r3.
    for (; x + 4 <= width; x += 4, p += 12) {
      std::uint32_t w0, w1, w2;
      std::memcpy(&w0, p, 4);
      std::memcpy(&w1, p + 4, 4);
      std::memcpy(&w2, p + 8, 4);
      const std::uint32_t v0 = grey(w0 & 0xFF, w0 >> 8 & 0xFF, w0 >> 16 & 0xFF);
      const std::uint32_t v1 = grey(w0 >> 24, w1 & 0xFF, w1 >> 8 & 0xFF);
      const std::uint32_t v2 = grey(w1 >> 16 & 0xFF, w1 >> 24, w2 & 0xFF);
      const std::uint32_t v3 = grey(w2 >> 8 & 0xFF, w2 >> 16 & 0xFF, w2 >> 24);
      w0 = v0 * 0x010101u | v1 << 24;
      w1 = v1 * 0x0101u | v2 * 0x01010000u;
      w2 = v2 | v3 * 0x01010100u;
      std::memcpy(p, &w0, 4);
      std::memcpy(p + 4, &w1, 4);
      std::memcpy(p + 8, &w2, 4);
    }
    for (; x < width; ++x, p += 3) {
      p[0] = p[1] = p[2] = static_cast<std::uint8_t>(grey(p[0], p[1], p[2]));
    }
  }
}

void Scanlines(Picture& picture, Colour colour) {
  for (int y = 0; y < picture.height(); y += 2) picture.FillRect(0, y, picture.width(), 1, colour);
}

void MirrorVertical(Picture& picture) {
  const std::size_t bytes = picture.stride();
  for (int top = 0, bottom = picture.height() - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(picture.Row(top), picture.Row(top) + bytes, picture.Row(bottom));
  }
}

void MirrorHorizontal(Picture& picture) {
  for (int y = 0; y < picture.height(); ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int left = 0, right = picture.width() - 1; left < right; ++left, --right) {
      std::swap_ranges(row + 3 * left, row + 3 * left + 3, row + 3 * right);
    }
  }
}

void AlphaBlend(Picture& dest, const Picture& source, std::uint8_t a) {
  const int width = std::min(dest.width(), source.width());
  const int height = std::min(dest.height(), source.height());
  const std::size_t bytes = static_cast<std::size_t>(std::max(width, 0)) * 3;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* d = dest.Row(y);
    const std::uint8_t* s = source.Row(y);
    // An arithmetic shift floors negative differences too.
    for (std::size_t i = 0; i < bytes; ++i) d[i] = d[i] + (((s[i] - d[i]) * a) >> 8);
  }
}

void FadeStepToColour(Picture& picture, Colour colour) {
  const std::vector<std::uint8_t> target = ColourRow(colour, picture.width());
  for (int y = 0; y < picture.height(); ++y)
    StepBytes(picture.Row(y), target.data(), target.size());
}

void FadeStepToPicture(Picture& picture, const Picture& target) {
  const std::size_t row_bytes = picture.stride();
  const std::size_t shared_bytes =
      static_cast<std::size_t>(std::min(picture.width(), target.width())) * 3;
  const std::vector<std::uint8_t> black(row_bytes, 0);
  for (int y = 0; y < picture.height(); ++y) {
    std::uint8_t* p = picture.Row(y);
    std::size_t done = 0;
    if (y < target.height()) {
      StepBytes(p, target.Row(y), shared_bytes);
      done = shared_bytes;
    }
    StepBytes(p + done, black.data(), row_bytes - done);  // what target lacks is black
  }
}

void BlindsPass(Picture& picture, const Picture& source, int passes, int pass) {
  if (passes <= 0 || pass < 0 || pass >= passes) return;
  const int rows = picture.height() / passes;
  for (int k = 0; k < rows; ++k) {
    const int y = k * passes + pass;
    CopyRect(picture, 0, y, source, 0, y, picture.width(), 1);
  }
}

// The block copies below clip to their destination and paint black where the source rectangle
// leaves its picture, so no size needs checking here.
void ScrollUpStep(Picture& picture, Picture& incoming) {
  const int w = picture.width(), h = picture.height(), s = kScrollStep;
  CopyRect(picture, 0, 0, picture, 0, s, w, h - s);
  CopyRect(picture, 0, h - s, incoming, 0, 0, w, s);
  CopyRect(incoming, 0, 0, incoming, 0, s, w, h - s);
}

void ScrollDownStep(Picture& picture, Picture& incoming) {
  const int w = picture.width(), h = picture.height(), s = kScrollStep;
  CopyRect(picture, 0, s, picture, 0, 0, w, h - s);
  CopyRect(picture, 0, 0, incoming, 0, h - s, w, s);
  CopyRect(incoming, 0, s, incoming, 0, 0, w, h - s);
}

void ScrollLeftStep(Picture& picture, Picture& incoming) {
  const int w = picture.width(), h = picture.height(), s = kScrollStep;
  CopyRect(picture, 0, 0, picture, s, 0, w - s, h);
  CopyRect(picture, w - s, 0, incoming, 0, 0, s, h);
  CopyRect(incoming, 0, 0, incoming, s, 0, w - s, h);
}

void ScrollRightStep(Picture& picture, Picture& incoming) {
  const int w = picture.width(), h = picture.height(), s = kScrollStep;
  CopyRect(picture, s, 0, picture, 0, 0, w - s, h);
  CopyRect(picture, 0, 0, incoming, w - s, 0, s, h);
  CopyRect(incoming, s, 0, incoming, 0, 0, w - s, h);
}

}  // namespace zunk::effects

// The pixel work of the image effects: filters over whole pictures and one step of each
// transition.
#include "screen/effects/zunkefeitos.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace zunk::effects {
namespace {

using ChannelTable = std::array<std::uint8_t, 256>;

// Applies one table per channel (blue, green, red order of the bytes) to every pixel.
void MapChannels(Picture& picture, const ChannelTable& blue, const ChannelTable& green,
                 const ChannelTable& red) {
  const int width = picture.width();
  for (int y = 0; y < picture.height(); ++y) {
    std::uint8_t* p = picture.Row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      p[0] = blue[p[0]];
      p[1] = green[p[1]];
      p[2] = red[p[2]];
    }
  }
}

ChannelTable BrightenTable(std::uint8_t k) {
  // The factor is single precision; c * f and c + c * f are exact in double.
  const float factor = k / 255.0f;
  ChannelTable table;
  for (int c = 0; c < 256; ++c) {
    const double v = RoundHalfEven(c + c * static_cast<double>(factor));
    table[c] = static_cast<std::uint8_t>(std::min(v, 255.0));
  }
  return table;
}

ChannelTable StepTable(std::uint8_t target) {
  ChannelTable table;
  for (int c = 0; c < 256; ++c) table[c] = StepToward(static_cast<std::uint8_t>(c), target);
  return table;
}

// What a convolution sum becomes: sum / divisor + bias, clamped, rounded.
std::uint8_t ConvolvedValue(int sum, const Kernel3x3& kernel) {
  const double v = static_cast<double>(sum) / kernel.divisor + kernel.bias;
  return static_cast<std::uint8_t>(RoundHalfEven(std::clamp(v, 0.0, 255.0)));
}

// The largest range of sums turned into values through a table; wider kernels compute each
// value on its own.
constexpr long kMaxSumTable = 1 << 20;

}  // namespace

void Filter(Picture& picture, Colour k) {
  MapChannels(picture, BrightenTable(BlueOf(k)), BrightenTable(GreenOf(k)),
              BrightenTable(RedOf(k)));
}

void Brighten(Picture& picture, std::uint8_t v) {
  const ChannelTable table = BrightenTable(v);
  MapChannels(picture, table, table, table);
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
  std::vector<std::uint8_t> value_of_sum;
  if (highest - lowest < kMaxSumTable) {
    value_of_sum.resize(highest - lowest + 1);
    for (long s = lowest; s <= highest; ++s) {
      value_of_sum[s - lowest] = ConvolvedValue(static_cast<int>(s), kernel);
    }
  }

  std::vector<int> sums(row_bytes);
  for (int y = 0; y < height; ++y) {
    std::fill(sums.begin(), sums.end(), 0);
    for (int dy = -1; dy <= 1; ++dy) {
      const std::uint8_t* row = padded.data() + padded_stride * (y + 1 + dy) + 3;
      for (int dx = -1; dx <= 1; ++dx) {
        const int w = kernel.weight[dx + 1][dy + 1];
        if (w == 0) continue;
        const std::uint8_t* from = row + 3 * dx;
        for (std::size_t i = 0; i < row_bytes; ++i) sums[i] += w * from[i];
      }
    }
    std::uint8_t* out = picture.Row(y);
    if (!value_of_sum.empty()) {
      for (std::size_t i = 0; i < row_bytes; ++i) out[i] = value_of_sum[sums[i] - lowest];
    } else {
      for (std::size_t i = 0; i < row_bytes; ++i) out[i] = ConvolvedValue(sums[i], kernel);
    }
  }
}

void Grey(Picture& picture) {
  // The products of each channel come from tables; the sum keeps the order r, g, b.
  std::array<double, 256> red_part, green_part, blue_part;
  for (int c = 0; c < 256; ++c) {
    red_part[c] = 0.2125 * c;
    green_part[c] = 0.7154 * c;
    blue_part[c] = 0.0721 * c;
  }
  const int width = picture.width();
  for (int y = 0; y < picture.height(); ++y) {
    std::uint8_t* p = picture.Row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      const double v = RoundHalfEven(red_part[p[2]] + green_part[p[1]] + blue_part[p[0]]);
      p[0] = p[1] = p[2] = static_cast<std::uint8_t>(std::min(v, 255.0));
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
  MapChannels(picture, StepTable(BlueOf(colour)), StepTable(GreenOf(colour)),
              StepTable(RedOf(colour)));
}

void FadeStepToPicture(Picture& picture, const Picture& target) {
  const std::size_t row_bytes = picture.stride();
  const std::size_t shared_bytes =
      static_cast<std::size_t>(std::min(picture.width(), target.width())) * 3;
  for (int y = 0; y < picture.height(); ++y) {
    std::uint8_t* p = picture.Row(y);
    std::size_t i = 0;
    if (y < target.height()) {
      const std::uint8_t* t = target.Row(y);
      for (; i < shared_bytes; ++i)
        p[i] = static_cast<std::uint8_t>(p[i] + std::clamp(t[i] - p[i], -8, 8));
    }
    for (; i < row_bytes; ++i) p[i] = p[i] > 8 ? p[i] - 8 : 0;  // toward black
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

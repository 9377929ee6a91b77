// Decoding JPEG files into pictures with libjpeg; damaged data is refused, never fatal.
#pragma once

#include <optional>
#include <string_view>

#include "screen/picture.h"

namespace zunk {

// The picture a JPEG file holds (colour, grayscale or CMYK), or nothing when the bytes are
// not a complete JPEG image or its size is beyond PictureSizeAllowed (checked before any
// pixel memory is taken).
std::optional<Picture> DecodeJpeg(std::string_view bytes);

}  // namespace zunk

// Decoding Windows bitmap files into pictures.
#pragma once

#include <optional>
#include <string_view>

#include "screen/picture.h"

namespace zunk {

// The picture a BMP file holds: uncompressed 1, 4 and 8-bit palette pictures, 16, 24 and
// 32-bit pictures (with colour masks for 16 and 32 bits), bottom-up or top-down. Nothing
// when the file is damaged, compressed, or its size is beyond PictureSizeAllowed; every size
// and offset is checked against the file's length before pixel memory is taken.
std::optional<Picture> DecodeBmp(std::string_view bytes);

}  // namespace zunk

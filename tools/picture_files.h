// Writing picture files from pictures: JPEG, 24-bit BMP, ".img" and zip archives. Used by the
// demo's picture generator, the tests and the benchmarks; games never write pictures.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "screen/picture.h"

namespace zunk {

// A baseline JPEG of the picture at the quality (1..100).
std::string EncodeJpeg(const Picture& picture, int quality = 90);

// A bottom-up, 24-bit, uncompressed BMP file of the picture.
std::string EncodeBmp24(const Picture& picture);

// An ".img" file: every byte of the JPEG XORed with the picture key.
std::string EncodeImg(const std::string& jpeg_bytes);

// A zip archive holding the named entries (deflated), in order. A name ending in "/" is a
// folder entry.
std::string MakeZip(const std::vector<std::pair<std::string, std::string>>& entries);

}  // namespace zunk

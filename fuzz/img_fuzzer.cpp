// Fuzzes ".img" pictures (scrambled JPEG files) through the picture loader.
#include <cstdint>

#include "picture_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zunk::fuzz::LoadPictureFile(zunk::fuzz::kImgFile, {reinterpret_cast<const char*>(data), size});
  return 0;
}

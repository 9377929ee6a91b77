// Fuzzes ".zip" pictures through the picture loader: the archive is extracted through the zip
// module and its bitmap "fuzz.bmp" decoded.
#include <cstdint>

#include "picture_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zunk::fuzz::LoadPictureFile(zunk::fuzz::kZipFile, {reinterpret_cast<const char*>(data), size});
  return 0;
}

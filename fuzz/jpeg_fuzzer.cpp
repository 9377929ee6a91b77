// Fuzzes the JPEG decoder on the bytes of a file.
#include <cstdint>

#include "screen/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zunk::DecodeJpeg({reinterpret_cast<const char*>(data), size});
  return 0;
}

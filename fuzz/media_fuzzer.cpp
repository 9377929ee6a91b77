// Fuzzes what the core reads of media files: the header check and the WAV and MIDI duration
// readers, on the bytes of a file (as a whole file, and as the head of a larger one).
#include <cstdint>
#include <string_view>

#include "media/media_duration.h"
#include "media/media_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  zunk::MediaKindOf(bytes.substr(0, zunk::kMediaHeadBytes));
  zunk::WaveDurationMs(bytes, size);
  zunk::WaveDurationMs(bytes, std::uint64_t{size} * 3 + 0xFFFFFFFFu);
  zunk::MidiDurationMs(bytes);
  zunk::MediaDurationMs(bytes, size);
  return 0;
}

// Recognising media files by their first bytes.
#include "media/media_header.h"

#include <cstdint>

namespace zunk {
namespace {

std::uint8_t Byte(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]);
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

// An MPEG audio frame header: eleven sync bits, then a version, layer, bit rate and sample
// rate that are not the reserved values.
bool IsMpegAudioFrame(std::string_view head) {
  if (head.size() < 4) return false;
  const std::uint8_t b1 = Byte(head, 1);
  const std::uint8_t b2 = Byte(head, 2);
  if (Byte(head, 0) != 0xFF || (b1 & 0xE0) != 0xE0) return false;
  const int version = (b1 >> 3) & 3;
  const int layer = (b1 >> 1) & 3;
  const int bitrate = b2 >> 4;
  const int sample_rate = (b2 >> 2) & 3;
  return version != 1 && layer != 0 && bitrate != 15 && sample_rate != 3;
}

}  // namespace

MediaKind MediaKindOf(std::string_view head) {
  if (head.size() >= 12 && StartsWith(head, "RIFF")) {
    const std::string_view form = head.substr(8, 4);
    if (form == "WAVE") return MediaKind::Wave;
    if (form == "AVI ") return MediaKind::Avi;
    return MediaKind::NotMedia;
  }
  // "MThd" and a header length of 6.
  if (head.size() >= 14 && StartsWith(head, std::string_view("MThd\0\0\0\6", 8))) {
    return MediaKind::Midi;
  }
  if (head.size() >= 5 && StartsWith(head, "OggS") && Byte(head, 4) == 0) {
    return MediaKind::Ogg;
  }
  if (head.size() >= 10 && StartsWith(head, "ID3") && Byte(head, 3) != 0xFF) return MediaKind::Mp3;
  if (IsMpegAudioFrame(head)) return MediaKind::Mp3;
  if (head.size() >= 12 && head.substr(4, 4) == "ftyp") return MediaKind::Mp4;
  return MediaKind::NotMedia;
}

}  // namespace zunk

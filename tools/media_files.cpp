// Writers of WAV, MIDI and MJPEG AVI files.
#include "media_files.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "picture_files.h"

namespace zunk {
namespace {

void Le16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Le32(std::string& out, std::uint32_t v) {
  Le16(out, v & 0xFFFF);
  Le16(out, v >> 16);
}
void Be32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<char>((v >> shift) & 0xFF));
}
void Vlq(std::string& out, std::uint32_t v) {
  std::string bytes(1, static_cast<char>(v & 0x7F));
  while ((v >>= 7) != 0) bytes.insert(bytes.begin(), static_cast<char>(0x80 | (v & 0x7F)));
  out += bytes;
}

// A RIFF chunk: id, little-endian size, body, padded to an even size.
std::string Chunk(const std::string& id, const std::string& body) {
  std::string out = id;
  Le32(out, static_cast<std::uint32_t>(body.size()));
  out += body;
  if (body.size() % 2 != 0) out.push_back('\0');
  return out;
}
std::string List(const std::string& type, const std::string& body) {
  return Chunk("LIST", type + body);
}

}  // namespace

std::string EncodeWaveTone(std::uint32_t ms, double frequency, std::uint32_t rate) {
  const std::uint32_t samples = static_cast<std::uint32_t>(std::uint64_t{rate} * ms / 1000);
  std::string fmt;
  Le16(fmt, 1);  // PCM
  Le16(fmt, 1);  // mono
  Le32(fmt, rate);
  Le32(fmt, rate * 2);  // byte rate
  Le16(fmt, 2);         // block align
  Le16(fmt, 16);        // bits a sample
  std::string data;
  const double fade = std::max(1.0, rate * 0.01);
  for (std::uint32_t i = 0; i < samples; ++i) {
    const double envelope = std::min({1.0, i / fade, (samples - i) / fade});
    const double value = std::sin(2 * std::numbers::pi * frequency * i / rate) * envelope;
    Le16(data, static_cast<std::uint16_t>(static_cast<std::int16_t>(value * 12000)));
  }
  return Chunk("RIFF", "WAVE" + Chunk("fmt ", fmt) + Chunk("data", data));
}

std::string EncodeMidiTune(const std::vector<TuneNote>& notes, std::uint32_t tempo_us) {
  std::string track;
  Vlq(track, 0);
  track += "\xFF\x51\x03";
  track.push_back(static_cast<char>((tempo_us >> 16) & 0xFF));
  track.push_back(static_cast<char>((tempo_us >> 8) & 0xFF));
  track.push_back(static_cast<char>(tempo_us & 0xFF));
  Vlq(track, 0);
  track += std::string("\xC0\x00", 2);  // program 0, piano
  for (const TuneNote& note : notes) {
    Vlq(track, 0);
    track += {'\x90', static_cast<char>(note.key & 0x7F), '\x60'};
    Vlq(track, note.ticks);
    track += {'\x80', static_cast<char>(note.key & 0x7F), '\x40'};
  }
  Vlq(track, 0);
  track += std::string("\xFF\x2F\x00", 3);
  std::string out = "MThd";
  Be32(out, 6);
  out += std::string("\x00\x00\x00\x01\x01\xE0", 6);  // format 0, one track, 480 a quarter
  out += "MTrk";
  Be32(out, static_cast<std::uint32_t>(track.size()));
  return out + track;
}

std::string EncodeMjpegAvi(const std::vector<Picture>& frames, int frames_per_second) {
  const std::uint32_t width = frames.empty() ? 0 : static_cast<std::uint32_t>(frames[0].width());
  const std::uint32_t height = frames.empty() ? 0 : static_cast<std::uint32_t>(frames[0].height());
  const std::uint32_t count = static_cast<std::uint32_t>(frames.size());
  const std::uint32_t fps = static_cast<std::uint32_t>(std::max(frames_per_second, 1));

  std::string movi;
  std::string index;
  std::uint32_t largest = 0;
  for (const Picture& frame : frames) {
    const std::string jpeg = EncodeJpeg(frame, 85);
    index += "00dc";
    Le32(index, 0x10);  // a key frame
    Le32(index, static_cast<std::uint32_t>(4 + movi.size()));
    Le32(index, static_cast<std::uint32_t>(jpeg.size()));
    movi += Chunk("00dc", jpeg);
    largest = std::max(largest, static_cast<std::uint32_t>(jpeg.size()));
  }

  std::string avih;
  Le32(avih, 1000000 / fps);  // microseconds a frame
  Le32(avih, largest * fps);  // max bytes a second
  Le32(avih, 0);              // padding granularity
  Le32(avih, 0x10);           // has an index
  Le32(avih, count);
  Le32(avih, 0);  // initial frames
  Le32(avih, 1);  // streams
  Le32(avih, largest);
  Le32(avih, width);
  Le32(avih, height);
  avih += std::string(16, '\0');

  std::string strh = "vidsMJPG";
  Le32(strh, 0);  // flags
  Le32(strh, 0);  // priority, language
  Le32(strh, 0);  // initial frames
  Le32(strh, 1);  // scale
  Le32(strh, fps);
  Le32(strh, 0);  // start
  Le32(strh, count);
  Le32(strh, largest);
  Le32(strh, 0xFFFFFFFF);  // quality
  Le32(strh, 0);           // sample size
  Le16(strh, 0);
  Le16(strh, 0);
  Le16(strh, static_cast<std::uint32_t>(width));
  Le16(strh, static_cast<std::uint32_t>(height));

  std::string strf;  // BITMAPINFOHEADER
  Le32(strf, 40);
  Le32(strf, width);
  Le32(strf, height);
  Le16(strf, 1);
  Le16(strf, 24);
  strf += "MJPG";
  Le32(strf, width * height * 3);
  Le32(strf, 0);
  Le32(strf, 0);
  Le32(strf, 0);
  Le32(strf, 0);

  const std::string header =
      List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));
  return Chunk("RIFF", "AVI " + header + List("movi", movi) + Chunk("idx1", index));
}

}  // namespace zunk

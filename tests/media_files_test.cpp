// Media files as the core reads them: the header check that tells media from anything else,
// and the durations of WAV and MIDI files, on files our writers make and on broken ones.
#include "media_files.h"

#include <gtest/gtest.h>

#include "media/media_duration.h"
#include "media/media_header.h"

namespace zunk {
namespace {

using namespace std::string_literals;

TEST(MediaHeaderTest, KnowsEachKindAndRefusesNearMisses) {
  const std::vector<std::pair<std::string, MediaKind>> cases = {
      {EncodeWaveTone(10), MediaKind::Wave},
      {EncodeMjpegAvi({Picture(4, 4, kWhite)}, 1), MediaKind::Avi},
      {EncodeMidiTune({{60, 480}}), MediaKind::Midi},
      {"OggS\0\2\0\0\0\0\0\0\0\0\0\0"s, MediaKind::Ogg},
      {"ID3\4\0\0\0\0\0\0\0\0\0\0\0\0"s, MediaKind::Mp3},
      {"\xFF\xFB\x90\x64\0\0\0\0"s, MediaKind::Mp3},  // MPEG-1 layer III, 128 kbit/s
      {"\0\0\0\x18"
       "ftypmp42\0\0\0\0"s,
       MediaKind::Mp4},
      {"", MediaKind::NotMedia},
      {"RIFF", MediaKind::NotMedia},
      {"RIFF\0\0\0\0WAV"s, MediaKind::NotMedia},   // cut short
      {"RIFF\0\0\0\0RMID"s, MediaKind::NotMedia},  // another RIFF form
      {"MThd\0\0\0\6\0\0"s, MediaKind::NotMedia},  // header cut short
      {"MThd\0\0\0\7\0\0\0\1\1\xE0"s, MediaKind::NotMedia},
      {"\xFF\xFF\xFF\xFF"s, MediaKind::NotMedia},  // sync bits, reserved bit rate
      {"\xFF\xE9\x90\x64"s, MediaKind::NotMedia},  // reserved version
      {"ID3\xFF"s, MediaKind::NotMedia},
      {"<html><body>", MediaKind::NotMedia},
      {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s, MediaKind::NotMedia},
  };
  for (const auto& [bytes, kind] : cases) {
    EXPECT_EQ(MediaKindOf(bytes.substr(0, kMediaHeadBytes)), kind) << testing::PrintToString(bytes);
  }
}

TEST(MediaDurationTest, WaveFromDataSizeAndByteRate) {
  const std::string tone = EncodeWaveTone(1500, 440, 8000);
  EXPECT_EQ(WaveDurationMs(tone, tone.size()), 1500u);
  EXPECT_EQ(MediaDurationMs(tone, tone.size()), 1500u);
  // A data size larger than the file holds counts what is there: half the file, half the time.
  const std::size_t data_bytes = tone.size() - 44;
  EXPECT_EQ(WaveDurationMs(tone, 44 + data_bytes / 2), 750u);
  // Only the head is read: the data chunk's header must be inside it, not the data.
  EXPECT_EQ(WaveDurationMs(tone.substr(0, 44), tone.size()), 1500u);
  // A chunk claiming 4 GB before "data", no format chunk, a byte rate of 0: not readable.
  std::string huge = tone;
  huge.replace(16, 4, "\xF0\xFF\xFF\xFF"s);
  std::string no_rate = tone;
  no_rate.replace(28, 4, "\0\0\0\0"s);
  for (const std::string& bad : {huge, no_rate, tone.substr(0, 30), "RIFF\0\0\0\0WAVE"s}) {
    EXPECT_EQ(WaveDurationMs(bad, bad.size()), std::nullopt);
    EXPECT_EQ(MediaDurationMs(bad, bad.size()), kDefaultMediaDurationMs);
  }
}

TEST(MediaDurationTest, MidiThroughTheTempoMap) {
  // Nine beats at 500,000 µs: 4.5 s; at 250,000 µs: 2.25 s.
  const std::vector<TuneNote> tune = {{60, 480}, {62, 480}, {64, 480}, {65, 480},
                                      {67, 480}, {69, 480}, {71, 480}, {72, 960}};
  EXPECT_EQ(MidiDurationMs(EncodeMidiTune(tune)), 4500u);
  EXPECT_EQ(MidiDurationMs(EncodeMidiTune(tune, 250000)), 2250u);

  // Two tracks (format 1): the tempo halves after one beat of track 1; track 2 is longer
  // (four beats) and uses running status. 0.5 s + 3 × 0.25 s.
  const std::string header = "MThd\0\0\0\6\0\1\0\2\1\xE0"s;
  const std::string tempo_track =
      "\0\xFF\x51\3\x07\xA1\x20"
      "\x83\x60\xFF\x51\3\x03\xD0\x90"
      "\0\xFF\x2F\0"s;
  const std::string notes =
      "\0\x90\x3C\x60"
      "\x87\x40\x3C\0"
      "\0\x3E\x60"
      "\x87\x40\x3E\0"
      "\0\xFF\x2F\0"s;
  auto track = [](const std::string& body) {
    return "MTrk\0\0\0"s + static_cast<char>(body.size()) + body;
  };
  EXPECT_EQ(MidiDurationMs(header + track(tempo_track) + track(notes)), 1250u);
  // SMPTE time: 25 frames a second, 40 ticks a frame: 1000 ticks a second.
  const std::string smpte =
      "MThd\0\0\0\6\0\0\0\1\xE7\x28"s + track("\x87\x68\x90\x3C\x60\0\xFF\x2F\0"s);
  EXPECT_EQ(MidiDurationMs(smpte), 1000u);
}

TEST(MediaDurationTest, HostileMidiStaysBounded) {
  const std::string head = "MThd\0\0\0\6\0\0\0\1\1\xE0"s;
  // A track longer than the file, a delta of five bytes, a data byte with no running status,
  // a meta event longer than the track, a division of 0: each ends the reading, never the
  // program.
  for (const std::string& body :
       {"MTrk\xFF\xFF\xFF\xFF\0\x90\x3C"s, "MTrk\0\0\0\5\xFF\xFF\xFF\xFF\x7F"s,
        "MTrk\0\0\0\3\0\x3C\x60"s, "MTrk\0\0\0\4\0\xFF\x51\x7F"s}) {
    EXPECT_TRUE(MidiDurationMs(head + body).has_value());
  }
  EXPECT_EQ(MidiDurationMs("MThd\0\0\0\6\0\0\0\1\0\0"s), std::nullopt);
  EXPECT_EQ(MidiDurationMs("MThd\0\0\0\6\0\0\0\1\x80\x00"s), std::nullopt);  // SMPTE of 0 frames
  // The largest claims are cut to a day: 2^28 ticks at 16.7 s a beat with 1 tick a beat.
  const std::string slow = "MThd\0\0\0\6\0\0\0\1\0\1"s +
                           "MTrk\0\0\0\x0B"
                           "\0\xFF\x51\3\xFF\xFF\xFF"
                           "\xFF\xFF\xFF\x7F"s;
  EXPECT_EQ(MidiDurationMs(slow), kMaxMediaDurationMs);
}

}  // namespace
}  // namespace zunk

// Writing small media files: a WAV tone, a MIDI tune and an MJPEG AVI film. Used by the
// media generator of the demo, the tests and the fuzz seeds; games never write media.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "screen/picture.h"

namespace zunk {

// A mono 16-bit PCM WAV of a sine tone (fading in and out), ms long at the sample rate.
std::string EncodeWaveTone(std::uint32_t ms, double frequency = 440, std::uint32_t rate = 8000);

// One note of a tune: a MIDI key (60 = middle C) held for ticks (a quarter note is 480).
struct TuneNote {
  int key;
  std::uint32_t ticks;
};

// A format-0 standard MIDI file playing the notes one after another on a piano, at the tempo
// in microseconds a quarter note (480 ticks a quarter note).
std::string EncodeMidiTune(const std::vector<TuneNote>& notes, std::uint32_t tempo_us = 500000);

// An AVI film of JPEG frames (MJPEG) at frames_per_second, all frames of the first's size.
std::string EncodeMjpegAvi(const std::vector<Picture>& frames, int frames_per_second);

}  // namespace zunk

// How long a play of a media file lasts, where the file says so cheaply: WAV from its data
// size and byte rate, MIDI from its tracks and tempo map. The headless player's channels run
// on these durations. The files are hostile: every size and count is bounded.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zunk {

// The longest a play can last here (a day): longer claims are cut to it.
inline constexpr std::uint32_t kMaxMediaDurationMs = 24u * 60 * 60 * 1000;
// A play whose length cannot be read lasts this long.
inline constexpr std::uint32_t kDefaultMediaDurationMs = 1000;
// The most of a file the duration readers look at: a WAV's chunk headers must lie within
// it, and a MIDI file must fit whole.
inline constexpr std::uint64_t kMaxDurationReadBytes = 1024 * 1024;

// A RIFF/WAVE file's duration: the data chunk's size (cut to the bytes the file holds,
// file_size being the whole file's size) over the format chunk's byte rate. Nothing when
// the chunks are missing, malformed or beyond the head.
std::optional<std::uint32_t> WaveDurationMs(std::string_view head, std::uint64_t file_size);

// A standard MIDI file's duration: the longest track's last tick through the tempo changes
// of all tracks (500,000 µs a quarter note until the first), or SMPTE time. Nothing when
// the file is not one or is malformed.
std::optional<std::uint32_t> MidiDurationMs(std::string_view file);

// The duration of a file from its head (up to kMaxDurationReadBytes) and whole size:
// WAV and MIDI as above, everything else kDefaultMediaDurationMs.
std::uint32_t MediaDurationMs(std::string_view head, std::uint64_t file_size);

}  // namespace zunk

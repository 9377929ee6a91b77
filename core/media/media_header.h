// Tells a media file from anything else by its first bytes, so a file that the media layer
// could never play is refused at once instead of failing later, out of the script's sight.
#pragma once

#include <cstddef>
#include <string_view>

namespace zunk {

enum class MediaKind { NotMedia, Wave, Avi, Midi, Ogg, Mp3, Mp4 };

// How many bytes from the start of a file MediaKindOf looks at.
inline constexpr std::size_t kMediaHeadBytes = 16;

// The kind of media the head of a file announces: a RIFF file of form "WAVE" or "AVI ", a
// standard MIDI file ("MThd" with its 6-byte header), an Ogg page, MP3 (an ID3 tag or a valid
// MPEG audio frame header) or an ISO media file ("ftyp" box). NotMedia for anything else,
// including an empty or truncated head.
MediaKind MediaKindOf(std::string_view head);

}  // namespace zunk

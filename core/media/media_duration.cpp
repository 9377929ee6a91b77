// Reading the duration of WAV and MIDI files.
#include "media/media_duration.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace zunk {
namespace {

std::uint32_t Le32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at])) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}

std::uint32_t Be32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at])) << 24 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 2])) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3]));
}

std::uint16_t Be16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) << 8 |
                                    static_cast<std::uint8_t>(b[at + 1]));
}

std::uint32_t ClampMs(double ms) {
  if (!(ms > 0)) return 0;
  if (ms >= kMaxMediaDurationMs) return kMaxMediaDurationMs;
  return static_cast<std::uint32_t>(ms + 0.5);
}

// Reads the tracks of a MIDI file one event at a time.
class TrackReader {
 public:
  TrackReader(std::string_view track, std::uint64_t& ticks) : data_(track), ticks_(ticks) {}

  // Reads one event; false at the end of the track or at malformed data.
  bool Next(std::vector<std::pair<std::uint64_t, std::uint32_t>>& tempos) {
    if (at_ >= data_.size()) return false;
    std::uint32_t delta = 0;
    if (!Vlq(delta)) return false;
    ticks_ += delta;
    if (at_ >= data_.size()) return false;
    std::uint8_t status = static_cast<std::uint8_t>(data_[at_]);
    if (status & 0x80) {
      ++at_;
    } else if (running_ != 0) {
      status = running_;  // running status: the byte is the first data byte
    } else {
      return false;
    }
    if (status == 0xFF) {
      if (at_ >= data_.size()) return false;
      const std::uint8_t type = static_cast<std::uint8_t>(data_[at_++]);
      std::uint32_t length = 0;
      if (!Vlq(length) || length > data_.size() - at_) return false;
      if (type == 0x2F) return false;  // end of track
      if (type == 0x51 && length == 3) {
        const std::uint32_t tempo =
            static_cast<std::uint32_t>(static_cast<std::uint8_t>(data_[at_]) << 16 |
                                       static_cast<std::uint8_t>(data_[at_ + 1]) << 8 |
                                       static_cast<std::uint8_t>(data_[at_ + 2]));
        tempos.emplace_back(ticks_, tempo);
      }
      at_ += length;
      return true;
    }
    if (status == 0xF0 || status == 0xF7) {
      std::uint32_t length = 0;
      if (!Vlq(length) || length > data_.size() - at_) return false;
      at_ += length;
      return true;
    }
    if (status >= 0xF0) return false;  // system messages do not occur in files
    running_ = status;
    const std::size_t data_bytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
    if (data_bytes > data_.size() - at_) return false;
    at_ += data_bytes;
    return true;
  }

 private:
  // A variable-length quantity of at most four bytes.
  bool Vlq(std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
      if (at_ >= data_.size()) return false;
      const std::uint8_t byte = static_cast<std::uint8_t>(data_[at_++]);
      value = (value << 7) | (byte & 0x7F);
      if (!(byte & 0x80)) return true;
    }
    return false;
  }

  std::string_view data_;
  std::size_t at_ = 0;
  std::uint8_t running_ = 0;
  std::uint64_t& ticks_;
};

}  // namespace

std::optional<std::uint32_t> WaveDurationMs(std::string_view head, std::uint64_t file_size) {
  if (head.size() < 12 || head.substr(0, 4) != "RIFF" || head.substr(8, 4) != "WAVE") {
    return std::nullopt;
  }
  std::uint32_t byte_rate = 0;
  std::size_t at = 12;
  while (at + 8 <= head.size()) {
    const std::string_view id = head.substr(at, 4);
    const std::uint32_t size = Le32(head, at + 4);
    const std::size_t body = at + 8;
    if (id == "fmt ") {
      if (size < 16 || body + 16 > head.size()) return std::nullopt;
      byte_rate = Le32(head, body + 8);
    } else if (id == "data") {
      if (byte_rate == 0) return std::nullopt;
      const std::uint64_t held = file_size > body ? file_size - body : 0;
      const std::uint64_t bytes = std::min<std::uint64_t>(size, held);
      return ClampMs(static_cast<double>(bytes) * 1000.0 / byte_rate);
    }
    // Chunks are padded to an even size.
    const std::uint64_t next = static_cast<std::uint64_t>(body) + size + (size & 1);
    if (next > head.size()) return std::nullopt;
    at = static_cast<std::size_t>(next);
  }
  return std::nullopt;
}

std::optional<std::uint32_t> MidiDurationMs(std::string_view file) {
  if (file.size() < 14 || file.substr(0, 4) != "MThd" || Be32(file, 4) < 6) return std::nullopt;
  const std::uint16_t division = Be16(file, 12);
  if (division == 0) return std::nullopt;
  std::vector<std::pair<std::uint64_t, std::uint32_t>> tempos;  // tick, µs a quarter note
  std::uint64_t end_tick = 0;
  std::size_t at = 8 + static_cast<std::size_t>(std::min<std::uint32_t>(Be32(file, 4), 1 << 20));
  while (at <= file.size() && file.size() - at >= 8) {
    const std::string_view id = file.substr(at, 4);
    const std::uint32_t size = Be32(file, at + 4);
    at += 8;
    const std::size_t length = std::min<std::size_t>(size, file.size() - at);
    if (id == "MTrk") {
      std::uint64_t ticks = 0;
      TrackReader reader(file.substr(at, length), ticks);
      while (reader.Next(tempos)) {
      }
      end_tick = std::max(end_tick, ticks);
    }
    at += length;
  }
  double ms = 0;
  if (division & 0x8000) {
    // SMPTE: frames a second (as a negative byte) times ticks a frame.
    const int frames = -static_cast<std::int8_t>(division >> 8);
    const int per_frame = division & 0xFF;
    if (frames <= 0 || per_frame == 0) return std::nullopt;
    ms = static_cast<double>(end_tick) * 1000.0 / (frames * per_frame);
  } else {
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::uint64_t tick = 0;
    double tempo = 500000;
    for (const auto& [change_tick, change_tempo] : tempos) {
      if (change_tick >= end_tick) break;
      ms += static_cast<double>(change_tick - tick) * tempo / 1000.0 / division;
      tick = change_tick;
      tempo = change_tempo;
    }
    ms += static_cast<double>(end_tick - tick) * tempo / 1000.0 / division;
  }
  return ClampMs(ms);
}

std::uint32_t MediaDurationMs(std::string_view head, std::uint64_t file_size) {
  std::optional<std::uint32_t> ms = WaveDurationMs(head, file_size);
  if (!ms && head.size() == file_size) ms = MidiDurationMs(head);
  return ms.value_or(kDefaultMediaDurationMs);
}

}  // namespace zunk

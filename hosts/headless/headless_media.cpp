// The headless player's media channels: plays that last their file's duration on the
// virtual clock, and the transcript lines of plays and of closing channels.
#include <algorithm>
#include <utility>

#include "game/game.h"
#include "headless_host.h"
#include "media/media_duration.h"

namespace zunk {

HeadlessHost::MediaPlay& HeadlessHost::Channel(int channel) {
  return media_[static_cast<std::size_t>(std::clamp(channel, 1, 4) - 1)];
}

std::uint32_t HeadlessHost::MediaDuration(const std::string& file) const {
  if (game_ == nullptr) return kDefaultMediaDurationMs;
  const auto head = game_->folder().ReadHead(file, kMaxDurationReadBytes);
  if (!head) return kDefaultMediaDurationMs;
  return MediaDurationMs(head->bytes, head->size);
}

void HeadlessHost::PlayMedia(const MediaRequest& r) {
  // A single play on channel 1 is a link's sound; everything else shows its channel.
  if (r.channel == 1 && r.repeat == 1) {
    events_.push_back("som: " + r.file);
  } else {
    std::string line =
        "m\xED"
        "dia: canal " +
        std::to_string(r.channel) + ", " + r.file + ", repetir " + std::to_string(r.repeat);
    if (r.channel == 4) {
      line += ", " + std::to_string(r.x) + "," + std::to_string(r.y) + " " +
              std::to_string(r.width) + "x" + std::to_string(r.height);
    }
    events_.push_back(line);
  }
  MediaPlay& play = Channel(r.channel);
  play = {true, false, r.play_id, MediaDuration(r.file), 0};
  if (r.wait) {
    Sleep(play.duration_ms);  // the wait: the clock moves on, nothing else runs
    ended_waits_.emplace_back(r.channel, r.play_id);
    return;
  }
  ReplayMedia(r.channel);
}

void HeadlessHost::ReplayMedia(int channel) {
  MediaPlay& play = Channel(channel);
  if (!play.open) return;
  play.playing = true;
  // At least a millisecond, so an endless play of an empty file cannot stall a wait.
  play.ends_at = Now() + std::max<std::uint32_t>(play.duration_ms, 1);
}

void HeadlessHost::CloseMedia(int channel, MediaClose why) {
  Channel(channel) = MediaPlay{};
  const std::string prefix =
      "m\xED"
      "dia: canal " +
      std::to_string(channel);
  if (why == MediaClose::Finished) events_.push_back(prefix + " fechado");
  if (why == MediaClose::Stopped) events_.push_back(prefix + " parado");
}

void HeadlessHost::DeliverMediaEnds() {
  if (game_ == nullptr) return;
  for (const auto& [channel, play_id] : std::exchange(ended_waits_, {})) {
    game_->MediaPlayEnded(channel, play_id, true);
  }
  const std::uint64_t now = Now();
  for (int channel = 1; channel <= 4; ++channel) {
    MediaPlay& play = Channel(channel);
    if (!play.playing || now < play.ends_at) continue;
    play.playing = false;
    game_->MediaPlayEnded(channel, play.play_id, true);
  }
}

void HeadlessHost::Wait(std::uint32_t milliseconds) {
  if (realtime_) {
    Sleep(milliseconds);
    PumpEvents();
    return;
  }
  const std::uint64_t end = virtual_ms_ + milliseconds;
  DeliverMediaEnds();
  for (;;) {
    std::uint64_t next = end;
    for (const MediaPlay& play : media_) {
      if (play.playing) next = std::min(next, play.ends_at);
    }
    virtual_ms_ = std::max(virtual_ms_, next);
    DeliverMediaEnds();
    if (next >= end) break;
  }
  FireDueTimers();
}

}  // namespace zunk

// The four media channels: 1 and 2 play in the background, 3 plays and waits for the end, 4
// shows a video in a rectangle of the screen and waits. A channel repeats its file a given
// number of times or endlessly. The script commands play and stop and the sound and video
// links come here; the host plays and reports each end of a play back.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/host.h"

namespace zunk {

class Game;
struct Link;

inline constexpr int kMediaChannelCount = 4;

// The fault of stopping a channel that is not open (the text games may rely on).
inline constexpr const char* kNoDeviceOpen = "No MCI device open";

class MediaChannels {
 public:
  explicit MediaChannels(Game& game);

  // play C,R,FILE: the channel is the first character; two characters are dropped; the
  // repeat is the value of the text before the next comma; the file is the rest.
  void PlayCommand(std::string_view args);
  // stop C: "1".."4" stops and closes that channel, "0" all four in order, anything else
  // nothing. Stopping a closed channel is the fault kNoDeviceOpen.
  void StopCommand(std::string_view args);

  // A sound link: the file once on channel 1.
  void PlaySoundLink(std::string_view file);
  // A video link: the file on channel 4 in the link's rectangle.
  void PlayVideoLink(std::string_view file, const Link& link);

  // The host's reports (see Host): the end of a play, a late error of the media layer.
  void PlayEnded(int channel, std::uint32_t play_id, bool at_end);
  void PlayFailed(int channel, std::uint32_t play_id, const std::string& message);

  bool IsOpen(int channel) const;
  // Plays still to come, counting the one playing; 0 endlessly.
  std::int32_t Remaining(int channel) const;

 private:
  struct Channel {
    bool open = false;
    std::uint32_t play_id = 0;
    std::int32_t remaining = 0;
  };
  struct Rect {
    std::int32_t x, y, width, height;
  };

  void Play(int channel, std::int32_t repeat, const std::string& file);
  // repeat: as the command gave it, for the host's display only.
  void PlayVideo(const std::string& file, const Rect& rect, std::int32_t repeat);
  // Closes the open device on the channel (a new file replaces it) and opens this one.
  MediaRequest Open(int channel, const std::string& file, std::int32_t repeat);
  void Close(int channel, MediaClose why);
  void StopChannel(int channel);
  void HideVideo();
  Channel& At(int channel) { return channels_[static_cast<std::size_t>(channel - 1)]; }
  const Channel& At(int channel) const { return channels_[static_cast<std::size_t>(channel - 1)]; }

  Game& game_;
  std::array<Channel, kMediaChannelCount> channels_{};
  std::uint32_t last_play_id_ = 0;
};

// The header check before a file is opened: the fault that ends the run when the game
// folder's file (already known to be available) is not a media file.
void CheckMediaFile(Game& game, const std::string& file);

}  // namespace zunk

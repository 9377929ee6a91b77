// The rules of the media channels: arguments, repeats, closing and the stop orders.
#include "media/media_channels.h"

#include "game/game.h"
#include "media/media_header.h"
#include "screen/links.h"
#include "screen/screen.h"
#include "script/operands.h"
#include "script/script_fault.h"

namespace zunk {
namespace {

bool IsChannel(int channel) {
  return channel >= 1 && channel <= kMediaChannelCount;
}

// The channel a one-character order names, 0 for "0", -1 for anything else.
int ChannelOf(std::string_view text) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '4') return -1;
  return text[0] - '0';
}

}  // namespace

void CheckMediaFile(Game& game, const std::string& file) {
  const auto head = game.folder().ReadHead(file, kMediaHeadBytes);
  if (head && MediaKindOf(head->bytes) != MediaKind::NotMedia) return;
  throw ScriptFault(
      "N\xE3o \xE9 um arquivo de som ou v\xED"
      "deo: " +
      file);
}

MediaChannels::MediaChannels(Game& game) : game_(game) {}

void MediaChannels::PlayCommand(std::string_view args) {
  if (args.empty()) return;
  const char which = args[0];
  Fields fields(args.size() > 2 ? args.substr(2) : std::string_view());
  const std::int32_t repeat = ValueOf(game_.world(), fields.Take());
  const std::string file(fields.rest());
  if (file.empty() || !game_.FileAvailable(file)) return;
  if (which < '1' || which > '4') return;  // any other channel: nothing
  Play(which - '0', repeat, file);
}

void MediaChannels::PlaySoundLink(std::string_view file) {
  const std::string name(file);
  if (name.empty() || !game_.FileAvailable(name)) return;
  Play(1, 1, name);
}

void MediaChannels::PlayVideoLink(std::string_view file, const Link& link) {
  const std::string name(file);
  if (name.empty() || !game_.FileAvailable(name)) return;
  PlayVideo(name, {link.x, link.y, link.width, link.height}, 1);
}

void MediaChannels::Play(int channel, std::int32_t repeat, const std::string& file) {
  if (channel != 4) {
    MediaRequest request = Open(channel, file, repeat);
    request.wait = channel == 3;
    game_.host().PlayMedia(request);
    return;
  }
  // Channel 4: the repeat value places the video: -1 the whole screen, else a link's
  // rectangle as stored (also of an inactive link). A link number outside the table or a
  // link without a rectangle shows nothing, rather than wait for an unseen film.
  if (repeat == -1) return PlayVideo(file, {0, 0, kTelaWidth, kTelaHeight}, repeat);
  if (repeat < 0 || repeat >= kLinkCount) return;
  const Link& link = game_.links().links[static_cast<std::size_t>(repeat)];
  if (link.width <= 0 || link.height <= 0) return;
  PlayVideo(file, {link.x, link.y, link.width, link.height}, repeat);
}

void MediaChannels::PlayVideo(const std::string& file, const Rect& rect, std::int32_t repeat) {
  MediaRequest request = Open(4, file, repeat);
  request.wait = true;
  request.x = rect.x;
  request.y = rect.y;
  request.width = rect.width;
  request.height = rect.height;
  Host& host = game_.host();
  host.HidePointer();
  host.PlayMedia(request);
  host.HideVideo();
  host.RestorePointer();
}

MediaRequest MediaChannels::Open(int channel, const std::string& file, std::int32_t repeat) {
  if (At(channel).open) Close(channel, MediaClose::Replaced);
  CheckMediaFile(game_, file);
  Channel& state = At(channel);
  state.open = true;
  state.play_id = ++last_play_id_;
  state.remaining = repeat;
  MediaRequest request;
  request.channel = channel;
  request.file = file;
  request.play_id = state.play_id;
  request.repeat = repeat;
  return request;
}

void MediaChannels::Close(int channel, MediaClose why) {
  At(channel).open = false;
  game_.host().CloseMedia(channel, why);
}

void MediaChannels::PlayEnded(int channel, std::uint32_t play_id, bool at_end) {
  if (!IsChannel(channel)) return;
  Channel& state = At(channel);
  if (!state.open || state.play_id != play_id) return;  // closed or replaced since
  // A film has no repeats: its channel closes when it ends, also when it was broken off.
  if (channel == 4) return Close(4, MediaClose::Finished);
  if (!at_end) return;  // the file has not ended: nothing
  if (state.remaining != 0) {
    // A signed 32-bit counter: a negative count runs down through the whole range.
    state.remaining = static_cast<std::int32_t>(static_cast<std::uint32_t>(state.remaining) - 1u);
    if (state.remaining == 0) return Close(channel, MediaClose::Finished);
  }
  game_.host().ReplayMedia(channel);
}

void MediaChannels::PlayFailed(int channel, std::uint32_t play_id, const std::string& message) {
  if (!IsChannel(channel)) return;
  Channel& state = At(channel);
  if (!state.open || state.play_id != play_id) return;
  Close(channel, MediaClose::Failed);
  game_.host().ShowError(message);
}

void MediaChannels::StopCommand(std::string_view args) {
  const int channel = ChannelOf(TrimBlanks(args));
  if (channel < 0) return;
  if (channel != 0) {
    StopChannel(channel);
    if (channel == 4) HideVideo();
    return;
  }
  // The channels before the first closed one are stopped; the fault leaves the rest.
  for (int c = 1; c <= kMediaChannelCount; ++c) StopChannel(c);
  HideVideo();
}

void MediaChannels::StopChannel(int channel) {
  if (!At(channel).open) throw ScriptFault(kNoDeviceOpen);
  Close(channel, MediaClose::Stopped);
}

void MediaChannels::HideVideo() {
  game_.host().HideVideo();
  game_.host().RestorePointer();
}

bool MediaChannels::IsOpen(int channel) const {
  return IsChannel(channel) && At(channel).open;
}

std::int32_t MediaChannels::Remaining(int channel) const {
  return IsChannel(channel) ? At(channel).remaining : 0;
}

}  // namespace zunk

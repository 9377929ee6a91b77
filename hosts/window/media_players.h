// The four media channels of the game window: one QMediaPlayer with its QAudioOutput each,
// channel 4 also sending its frames to Deck. They only play: what a channel does when a play
// ends is the core's, which hears of every end and late error from here through the game's
// media entry points, from the event loop. Channels 3 and 4 wait for the end of their play:
// only painting and media events run meanwhile (the player's input is held back), Escape or
// a press on btFim ends a film early, and closing the window ends the wait and the program.
#pragma once

#include <QObject>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/host.h"

class QAudioOutput;
class QEventLoop;
class QMediaPlayer;
class QWidget;

namespace zunk {

class Game;
class GameWindow;
class VideoDeck;
class WindowHost;

class MediaPlayers : public QObject {
 public:
  MediaPlayers(WindowHost& host, Game& game, GameWindow& window);
  ~MediaPlayers() override;

  // Makes the players and Deck (loading the media back end); later calls do nothing.
  void Make();
  // The window's first frame has been painted: the players are made and the background
  // plays asked for before it start. Until then those wait, so that the back end does not
  // slow the first frame; a waiting play makes the players at once.
  void FirstFramePainted();

  void Play(const MediaRequest& request);
  void Start(const MediaRequest& request);
  void Replay(int channel);
  void Close(int channel);
  void HideVideo();

  VideoDeck* deck() const { return deck_; }
  QMediaPlayer* player(int channel) const;

 private:
  struct Channel {
    QMediaPlayer* player = nullptr;
    QAudioOutput* audio = nullptr;
    std::uint32_t play_id = 0;
    bool open = false;
    bool playing = false;  // a play started and not yet ended or stopped
  };
  Channel& At(int channel);
  void Connect(int channel);
  // The end of the current play: reported to the game from the event loop.
  void Ended(int channel, bool at_end);
  void Failed(int channel, const QString& message);
  // Waits until the channel's play has ended, been stopped or replaced, or the window closes.
  void Wait(int channel, std::uint32_t play_id);

  WindowHost& host_;
  Game& game_;
  GameWindow& window_;
  std::array<Channel, 4> channels_{};
  VideoDeck* deck_ = nullptr;
  QEventLoop* wait_loop_ = nullptr;  // the innermost wait
  bool first_frame_painted_ = false;
  std::array<std::optional<MediaRequest>, 4> before_first_frame_{};
};

}  // namespace zunk

// The game window's media channels on Qt Multimedia.
#include "media_players.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

#include "game/game.h"
#include "game_window.h"
#include "qt_strings.h"
#include "script/script_fault.h"
#include "video_deck.h"
#include "window_host.h"

namespace zunk {
namespace {

// How often a wait looks whether it is over.
constexpr int kCheckMs = 50;

}  // namespace

MediaPlayers::MediaPlayers(WindowHost& host, Game& game, GameWindow& window)
    : host_(host), game_(game), window_(window) {}

MediaPlayers::~MediaPlayers() {
  for (Channel& channel : channels_) {
    if (channel.player != nullptr) channel.player->stop();
  }
}

void MediaPlayers::Make() {
  if (deck_ != nullptr) return;
  deck_ = new VideoDeck(&window_.tela());
  for (int c = 1; c <= 4; ++c) {
    Channel& channel = At(c);
    channel.player = new QMediaPlayer(this);
    channel.audio = new QAudioOutput(channel.player);
    channel.player->setAudioOutput(channel.audio);
    if (c == 4) channel.player->setVideoSink(deck_->sink());
    Connect(c);
  }
}

QMediaPlayer* MediaPlayers::player(int channel) const {
  return channels_[static_cast<std::size_t>(channel - 1)].player;
}

MediaPlayers::Channel& MediaPlayers::At(int channel) {
  return channels_[static_cast<std::size_t>(std::clamp(channel, 1, 4) - 1)];
}

void MediaPlayers::Connect(int c) {
  QMediaPlayer* player = At(c).player;
  connect(player, &QMediaPlayer::mediaStatusChanged, this, [this, c](QMediaPlayer::MediaStatus s) {
    if (s == QMediaPlayer::EndOfMedia) Ended(c, true);
    if (s == QMediaPlayer::InvalidMedia) Failed(c, At(c).player->errorString());
  });
  connect(player, &QMediaPlayer::errorOccurred, this,
          [this, c](QMediaPlayer::Error, const QString& message) { Failed(c, message); });
}

void MediaPlayers::FirstFramePainted() {
  first_frame_painted_ = true;
  Make();
  for (auto& request : before_first_frame_) {
    if (request) Start(*std::exchange(request, std::nullopt));
  }
}

void MediaPlayers::Play(const MediaRequest& request) {
  const int c = request.channel;
  Channel& channel = At(c);
  channel.open = true;
  channel.playing = true;
  channel.play_id = request.play_id;
  if (!first_frame_painted_ && !request.wait) {
    before_first_frame_[static_cast<std::size_t>(c - 1)] = request;
    return;
  }
  Make();
  Start(request);
  if (request.wait) Wait(c, request.play_id);
}

void MediaPlayers::Start(const MediaRequest& request) {
  const int c = request.channel;
  Channel& channel = At(c);
  const auto relative = game_.folder().Locate(request.file);
  if (!relative) {
    Failed(c, QStringLiteral("Arquivo não encontrado: ") + FromCp1252(request.file));
  } else {
    const auto path = game_.folder().path() / *relative;
    channel.player->setSource(QUrl::fromLocalFile(QString::fromStdString(path.string())));
    if (c == 4) {
      deck_->Clear();
      deck_->setGeometry(request.x, request.y, request.width, request.height);
      deck_->show();
      deck_->raise();
    }
    channel.player->play();
  }
}

void MediaPlayers::Replay(int c) {
  Channel& channel = At(c);
  if (!channel.open || channel.player == nullptr) return;
  channel.playing = true;
  channel.player->setPosition(0);
  channel.player->play();
}

void MediaPlayers::Close(int c) {
  before_first_frame_[static_cast<std::size_t>(std::clamp(c, 1, 4) - 1)].reset();
  Channel& channel = At(c);
  channel.open = false;
  channel.playing = false;
  // Stopped only: the next play on the channel replaces the file (unloading it here as well
  // would cost the script a second change of the pipeline's state).
  if (channel.player != nullptr) channel.player->stop();
  if (wait_loop_ != nullptr) wait_loop_->quit();
}

void MediaPlayers::HideVideo() {
  if (deck_ != nullptr) deck_->hide();
}

void MediaPlayers::Ended(int c, bool at_end) {
  Channel& channel = At(c);
  if (!channel.open || !channel.playing) return;
  channel.playing = false;
  if (wait_loop_ != nullptr) wait_loop_->quit();
  const std::uint32_t id = channel.play_id;
  QTimer::singleShot(0, &window_, [this, c, id, at_end] {
    window_.Dispatch([&] { game_.MediaPlayEnded(c, id, at_end); });
  });
}

void MediaPlayers::Failed(int c, const QString& message) {
  Channel& channel = At(c);
  if (!channel.open) return;
  channel.playing = false;
  if (wait_loop_ != nullptr) wait_loop_->quit();
  const std::uint32_t id = channel.play_id;
  const std::string text = ToCp1252(QStringLiteral("Erro de mídia: ") + message);
  QTimer::singleShot(0, &window_, [this, c, id, text] {
    window_.Dispatch([&] { game_.MediaFailed(c, id, text); });
  });
}

void MediaPlayers::Wait(int c, std::uint32_t play_id) {
  // A film ends early at Escape or a press on btFim (which then ends the program as always).
  InputHold::Passes passes;
  if (c == 4) {
    passes = [this](QWidget* target, QEvent* event) {
      const bool escape = event->type() == QEvent::KeyPress &&
                          static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
      QWidget* fim = window_.button("btFim");
      const bool on_fim = fim != nullptr && target != nullptr &&
                          (target == fim || fim->isAncestorOf(target)) &&
                          (event->type() == QEvent::MouseButtonPress ||
                           event->type() == QEvent::MouseButtonRelease);
      if ((escape || (on_fim && event->type() == QEvent::MouseButtonPress)) && At(4).playing) {
        At(4).player->stop();
        Ended(4, false);
      }
      return escape || on_fim;
    };
  }
  const auto hold = host_.HoldInput(std::move(passes));
  QEventLoop loop;
  QEventLoop* outer = std::exchange(wait_loop_, &loop);
  auto waiting = [&] {
    const Channel& channel = At(c);
    return channel.open && channel.playing && channel.play_id == play_id && !window_.closing();
  };
  // A look now and then: a wait nested in this one may have taken the quit meant for it, and
  // closing the window need not reach this loop.
  QTimer check;
  connect(&check, &QTimer::timeout, &loop, [&] {
    if (!waiting()) loop.quit();
  });
  check.start(kCheckMs);
  while (waiting()) loop.exec();
  wait_loop_ = outer;
  if (window_.closing()) throw RunsEnded();
}

}  // namespace zunk

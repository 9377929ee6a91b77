// The media channels of the game window on real Qt Multimedia, with the demo's own sound,
// tune and film: a sound plays to its end and its channel closes, channel 3 holds the script
// and the player's typing until its end, a film shows its frames in Deck until Escape, and
// closing the window during a wait ends the program cleanly.
#include <QElapsedTimer>
#include <QImage>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QTimer>
#include <iostream>
#include <set>

#include "media_players.h"
#include "video_deck.h"
#include "window_test_support.h"

namespace zunk::testing {
namespace {

class MediaWindowTest : public WindowTest {
 protected:
  void SetUp() override { Start(/*scripted=*/false); }
  // Runs a line as an event handler does; how long it took, in ms.
  double Line(const std::string& line) {
    QElapsedTimer timer;
    timer.start();
    window_->Dispatch([&] { game_->ExecLineFromHost(line); });
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
  }
  MediaChannels& media() { return game_->media(); }
  VideoDeck& deck() { return *host_->media_players()->deck(); }
  Strings Errors() { return host_->TakeEvents(); }
};

TEST_F(MediaWindowTest, ASoundPlaysToItsEndAndItsChannelCloses) {
  // The players come after the first frame, and the demo's tune has already started.
  ASSERT_TRUE(QTest::qWaitFor([&] { return host_->media_players()->deck() != nullptr; }, 2000));
  EXPECT_TRUE(media().IsOpen(2));
  // The GStreamer back end plays, not the other one Debian's Qt ships.
  const std::string maps = ReadBytes("/proc/self/maps");
  EXPECT_NE(maps.find("libgstreamermediaplugin"), std::string::npos);
  EXPECT_EQ(maps.find("libffmpegmediaplugin"), std::string::npos);
  const double ms = Line("play 1,1,sino.wav");
  RecordProperty("play_return_ms", QString::number(ms, 'f', 2).toStdString());
  std::cout << "play 1 returned in " << ms << " ms\n";
  EXPECT_TRUE(media().IsOpen(1));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !media().IsOpen(1); }, 5000));
  // The MIDI tune plays too (4.5 s, twice), without an error from the media layer.
  EXPECT_EQ(host_->media_players()->player(2)->error(), QMediaPlayer::NoError)
      << host_->media_players()->player(2)->errorString().toStdString();
  QMediaPlayer& tune = *host_->media_players()->player(2);
  EXPECT_TRUE(QTest::qWaitFor([&] { return tune.duration() > 4000; }, 5000)) << tune.duration();
  EXPECT_TRUE(media().IsOpen(2));
  Line("stop 2");
  EXPECT_FALSE(media().IsOpen(2));
}

TEST_F(MediaWindowTest, ChannelThreeHoldsTheScriptAndTheTypingUntilItsEnd) {
  QString typed_during;
  QTimer::singleShot(300, [&] { QTest::keyClicks(&window_->frase(), "abc"); });
  QTimer::singleShot(600, [&] { typed_during = window_->frase().toPlainText(); });
  const double ms = Line("play 3,1,ondas.wav");  // 2 s
  EXPECT_GT(ms, 1500);
  EXPECT_EQ(typed_during, "");
  QCoreApplication::processEvents();
  EXPECT_EQ(window_->frase().toPlainText(), "abc");
  // The end is handled after the wait: the last play closes the channel.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !media().IsOpen(3); }, 1000));
}

TEST_F(MediaWindowTest, AFilmShowsItsFramesInDeckUntilEscape) {
  Line("link 3,40,20,320,160,2,0,x");
  QImage grabbed;
  bool shown = false;
  QElapsedTimer clock;
  qint64 escape_at = -1;
  // Once the film shows a frame (and a little more), a look at Deck, then Escape.
  QTimer poll;
  bool looking = false;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (looking || deck().frame().isNull()) return;
    looking = true;
    QTest::qWait(200);
    shown = deck().isVisible();
    grabbed = deck().grab().toImage();
    window_->grab().save(QString::fromStdString(
        (std::filesystem::temp_directory_path() / "zunk_window_film.png").string()));
    escape_at = clock.elapsed();
    QTest::keyClick(&window_->frase(), Qt::Key_Escape);
  });
  poll.start(20);
  clock.start();
  Line("play 4,3,gaivotas.avi");  // 2 s
  const qint64 returned_at = clock.elapsed();
  ASSERT_GE(escape_at, 0);
  EXPECT_LT(returned_at - escape_at, 500);  // the film ended at Escape, not at its end
  EXPECT_TRUE(shown);
  EXPECT_FALSE(deck().isVisible());
  ASSERT_EQ(grabbed.size(), QSize(320, 160));
  grabbed.save(QString::fromStdString(
      (std::filesystem::temp_directory_path() / "zunk_deck_film.png").string()));
  // The film's sky and sea, not a black or blank panel: many colours, some bright.
  std::set<QRgb> colours;
  int bright = 0;
  for (int y = 0; y < grabbed.height(); y += 4) {
    for (int x = 0; x < grabbed.width(); x += 4) {
      const QColor c = grabbed.pixelColor(x, y);
      colours.insert(c.rgb());
      if (c.lightness() > 100) ++bright;
    }
  }
  EXPECT_GT(colours.size(), 50u);
  EXPECT_GT(bright, 100);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !media().IsOpen(4); }, 1000));
}

TEST_F(MediaWindowTest, AnErrorTheMediaLayerFindsLaterIsShownOnceAndEndsNoRun) {
  // A WAV header over bytes that are no sound: the header check lets it through, the media
  // layer fails once it reads on. The script goes on; the channel closes.
  WriteBytes(game_dir() / "quebrado.wav",
             std::string("RIFF\x24\0\0\0WAVEfmt ", 16) + std::string(4096, '\x7F'));
  std::vector<QString> boxes;
  QTimer box_closer;
  QObject::connect(&box_closer, &QTimer::timeout, [&] {
    if (QMessageBox* box = host_->error_box()) {
      boxes.push_back(box->text());
      box->accept();
    }
  });
  box_closer.start(20);
  WriteBytes(game_dir() / "t.scpt", EncodeScript({"play 2,0,quebrado.wav", "msg= depois"}));
  window_->Dispatch([&] { game_->RunScriptFromHost("t"); });
  EXPECT_EQ(Mensag().toPlainText(), "depois");
  EXPECT_TRUE(QTest::qWaitFor([&] { return !media().IsOpen(2); }, 5000));
  QTest::qWait(300);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(boxes[0].startsWith(QString::fromUtf8("Erro de mídia: "))) << boxes[0].toStdString();
}

TEST_F(MediaWindowTest, ClosingTheWindowDuringAWaitEndsTheProgramCleanly) {
  QTimer::singleShot(300, window_.get(), [&] { window_->close(); });
  const double ms = Line("play 3,1,ondas.wav");
  EXPECT_LT(ms, 1500);
  EXPECT_TRUE(window_->closing());
}

}  // namespace
}  // namespace zunk::testing

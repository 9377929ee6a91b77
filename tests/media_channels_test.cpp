// The media channels: how play and stop read their arguments, repeats and closing, the stop
// orders and their fault, channel 4's rectangle, the header check, reports that come late or
// for plays that were replaced, and a play that arrives while channel 3 waits.
#include "media/media_channels.h"

#include "media_files.h"
#include "picture_files.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

class MediaChannelsTest : public GameTest {
 protected:
  void SetUp() override {
    WriteFile("x.wav", EncodeWaveTone(50));
    WriteFile("3,x.wav", EncodeWaveTone(50));
    WriteFile("b.wav", EncodeWaveTone(50));
    WriteFile("v.avi", EncodeMjpegAvi({Picture(8, 8, kWhite)}, 1));
    Start();
    game().file_source = Source::DiskOnly;
  }
  MediaChannels& media() { return game().media(); }
  Strings Since(std::size_t mark) { return Strings(host_.log.begin() + mark, host_.log.end()); }
  std::size_t Mark() { return host_.log.size(); }
  // The end of the channel's last play, at the end of its file.
  void End(int channel, bool at_end = true) {
    std::uint32_t id = 0;
    for (const MediaRequest& r : host_.plays) {
      if (r.channel == channel) id = r.play_id;
    }
    game().MediaPlayEnded(channel, id, at_end);
  }
  void Line(const std::string& line) { game().ExecLineFromHost(line); }
};

TEST_F(MediaChannelsTest, ArgumentsAreSplitAsTheCommandReadsThem) {
  std::size_t mark = Mark();
  // The channel is the first character and two are dropped: the repeat field is empty (0)
  // and the file is the rest.
  Line("play 12,3,x.wav");
  Line("play 5,1,x.wav");      // no such channel
  Line("play ");               // nothing after the blank
  Line("play 2,0,");           // no file
  Line("play 2,0,falta.wav");  // not available
  Line("play 2,reg9,x.wav");   // the repeat is a value: register 9
  EXPECT_EQ(Since(mark), Strings({"play 1 0 3,x.wav", "play 2 0 x.wav"}));
  EXPECT_EQ(std::tuple(media().IsOpen(1), media().IsOpen(2), media().IsOpen(3), host_.errors),
            std::tuple(true, true, false, Strings()));
  EXPECT_FALSE(host_.plays[0].wait);
  Line("play 3,1,x.wav");
  EXPECT_TRUE(host_.plays.back().wait);
}

TEST_F(MediaChannelsTest, RepeatsCountThePlaysAndTheLastClosesTheChannel) {
  Line("play 1,3,x.wav");
  std::size_t mark = Mark();
  for (int i = 0; i < 3; ++i) End(1);
  EXPECT_EQ(Since(mark), Strings({"replay 1", "replay 1", "close 1 finished"}));
  Line("stop 1");  // closed by its last play
  EXPECT_EQ(host_.errors, Strings({kNoDeviceOpen}));

  Line("play 2,1,x.wav");
  End(2);
  Line("play 1,0,x.wav");  // endless until stop
  mark = Mark();
  for (int i = 0; i < 50; ++i) End(1);
  EXPECT_EQ(Since(mark).size(), 50u);
  EXPECT_EQ(std::tuple(media().IsOpen(1), media().IsOpen(2)), std::tuple(true, false));
  mark = Mark();
  Line("stop 1");
  EXPECT_EQ(Since(mark), Strings({"close 1 stopped"}));

  // A negative count is not 0: it runs down through the whole 32-bit range, playing on.
  Line("play 2,-2147483648,x.wav");
  End(2);
  EXPECT_EQ(std::tuple(media().IsOpen(2), media().Remaining(2)), std::tuple(true, 2147483647));
}

TEST_F(MediaChannelsTest, OnlyAnEndAtTheEndOfTheFileOfTheCurrentPlayCounts) {
  Line("play 1,1,x.wav");
  const std::uint32_t first = host_.plays.back().play_id;
  std::size_t mark = Mark();
  End(1, false);                                // stopped short of the end: nothing
  game().MediaPlayEnded(7, first, true);        // no such channel
  game().MediaPlayEnded(1, first + 100, true);  // not this play
  EXPECT_EQ(Since(mark), Strings());
  Line("play 1,2,b.wav");  // replaces the first file; its late report is old news
  mark = Mark();
  game().MediaPlayEnded(1, first, true);
  EXPECT_EQ(std::tuple(Since(mark), media().Remaining(1)), std::tuple(Strings(), 2));
}

TEST_F(MediaChannelsTest, StopOrders) {
  std::size_t mark = Mark();
  Line("stop 9");
  Line("stop ");
  Line("stop 12");
  EXPECT_EQ(std::tuple(Since(mark), host_.errors), std::tuple(Strings(), Strings()));

  // Channels 1 and 3 open, 2 closed: "0" stops 1, then faults at 2 and leaves 3 playing;
  // the fault ends the run, so the line after it does not run.
  Line("play 1,0,x.wav");
  Line("play 3,1,b.wav");
  WriteScript("para", {"stop 0", "msg= depois"});
  mark = Mark();
  game().RunScriptFromHost("para");
  EXPECT_EQ(std::tuple(Since(mark), host_.errors, media().IsOpen(3), shown().empty()),
            std::tuple(Strings({"close 1 stopped"}), Strings({kNoDeviceOpen}), true, true));

  Line("play 1,0,x.wav");
  Line("play 2,0,x.wav");
  Line("play 4,-1,v.avi");
  End(4);
  Line("play 4,-1,v.avi");
  mark = Mark();
  Line("stop 0");
  EXPECT_EQ(Since(mark), Strings({"close 1 stopped", "close 2 stopped", "close 3 stopped",
                                  "close 4 stopped", "hide video", "restore pointer"}));
}

TEST_F(MediaChannelsTest, FilmsTakeTheScreenOrALinksRectangle) {
  Line("link 2,10,20,30,40,1,0,x");
  Line("link 3,50,60,70,80,1,0,x");
  Line("zeralinks");  // inactive links keep their rectangles
  std::size_t mark = Mark();
  Line("play 4,-1,v.avi");
  End(4);
  Line("play 4,3,v.avi");
  EXPECT_EQ(Since(mark), Strings({"hide pointer", "play 4 -1 v.avi 0,0 480x200", "hide video",
                                  "restore pointer", "close 4 finished", "hide pointer",
                                  "play 4 3 v.avi 50,60 70x80", "hide video", "restore pointer"}));
  // A film ended early by the player closes its channel too.
  End(4, false);
  EXPECT_FALSE(media().IsOpen(4));

  // Outside the table, or a link that never had a rectangle: no film, no wait, no fault.
  mark = Mark();
  for (const char* line : {"play 4,10,v.avi", "play 4,-2,v.avi", "play 4,7,v.avi"}) Line(line);
  EXPECT_EQ(std::tuple(Since(mark), host_.errors), std::tuple(Strings(), Strings()));
}

TEST_F(MediaChannelsTest, AFileThatIsNotMediaEndsTheRun) {
  WriteFile("texto.wav", "isto nao e som");
  WriteFile("vazio.wav", "");
  WriteFile("curto.wav", "RIFF\x10\0\0\0WAV");  // cut inside the header
  WriteFile("curto.mid", "MThd");
  for (const char* file : {"texto.wav", "vazio.wav", "curto.wav", "curto.mid"}) {
    host_.errors.clear();
    RunLines({std::string("play 2,1,") + file, "msg= depois"});
    EXPECT_EQ(std::tuple(host_.errors, shown().empty(), media().IsOpen(2)),
              std::tuple(Strings({std::string("N\xE3o \xE9 um arquivo de som ou v\xED"
                                              "deo: ") +
                                  file}),
                         true, false))
        << file;
  }
  // Not media on an open channel: the old file is closed first, as opening a new one does.
  Line("play 2,0,x.wav");
  std::size_t mark = Mark();
  Line("play 2,0,texto.wav");
  EXPECT_EQ(Since(mark), Strings({"close 2 replaced"}));
}

TEST_F(MediaChannelsTest, ALateErrorIsShownOnceAndClosesTheChannel) {
  Line("play 2,0,x.wav");
  const std::uint32_t id = host_.plays.back().play_id;
  std::size_t mark = Mark();
  game().MediaFailed(2, id, "falha do som");
  game().MediaFailed(2, id, "falha do som");
  EXPECT_EQ(std::tuple(Since(mark), host_.errors),
            std::tuple(Strings({"close 2 failed"}), Strings({"falha do som"})));
}

TEST_F(MediaChannelsTest, APlayWhileChannelThreeWaits) {
  // While channel 3 waits, a nested run plays on channel 1 and then replaces channel 3.
  bool nested = false;
  host_.on_play = [&](const MediaRequest& r) {
    if (r.channel != 3 || nested) return;
    nested = true;
    Line("play 1,1,b.wav");
    Line("play 3,2,b.wav");
  };
  std::size_t mark = Mark();
  Line("play 3,1,x.wav");
  EXPECT_EQ(Since(mark),
            Strings({"play 3 1 x.wav", "play 1 1 b.wav", "close 3 replaced", "play 3 2 b.wav"}));
  // The first play's end is old news; the second's starts its repeat in the background.
  game().MediaPlayEnded(3, host_.plays[0].play_id, true);
  mark = Mark();
  End(3);
  EXPECT_EQ(std::tuple(Since(mark), media().Remaining(3)), std::tuple(Strings({"replay 3"}), 1));
}

TEST_F(MediaChannelsTest, SoundAndVideoLinksUseChannelsOneAndFour) {
  Line("link 1,10,20,30,40,1,6,x.wav");
  Line("link 2,5,6,7,8,1,7,v.avi");
  std::size_t mark = Mark();
  game().PointerMove(15, 25);
  game().PointerPress(15, 25);
  game().PointerMove(6, 7);
  game().PointerPress(6, 7);
  Strings plays;
  for (const std::string& entry : Since(mark)) {
    if (entry.rfind("play", 0) == 0) plays.push_back(entry);
  }
  EXPECT_EQ(plays, Strings({"play 1 1 x.wav", "play 4 1 v.avi 5,6 7x8"}));
  End(1);
  EXPECT_FALSE(media().IsOpen(1));
}

}  // namespace
}  // namespace zunk::testing

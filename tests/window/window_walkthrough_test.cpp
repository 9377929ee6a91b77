// The demo played to its ends through the window's widgets: each walkthrough, typed into Frase
// and clicked on Tela, the suggestions and the panels by `zunk --input`, gives exactly the
// transcript the headless player approved.
#include <cstdio>

#include "window_test_support.h"

namespace zunk::testing {
namespace {

std::string RunWindow(const std::filesystem::path& folder, const std::string& arguments,
                      int& status) {
  std::string output;
  const std::string command = "cd '" + folder.string() + "' && QT_QPA_PLATFORM=offscreen '" +
                              ZUNK_WINDOW_PATH + "' " + arguments + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    output.append(buffer, n);
  }
  const int raw = ::pclose(pipe);
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return output;
}

class WindowWalkthroughTest : public ::testing::TestWithParam<const char*> {};

TEST_P(WindowWalkthroughTest, ReachesTheApprovedTranscript) {
  TempDir work;
  std::filesystem::copy(ZUNK_DEMO_DIR, work.path() / "jogo",
                        std::filesystem::copy_options::recursive);
  const std::string data = std::string(ZUNK_TEST_DATA_DIR) + "/data/";
  const std::string name = GetParam();
  const std::string expected_file = data + "demo_transcript" + name + ".expected";
  if (!std::filesystem::exists(expected_file)) GTEST_SKIP() << "no such walkthrough";
  int status = -1;
  const std::string transcript =
      RunWindow(work.path(), "jogo --input " + data + "demo_walkthrough" + name + ".txt", status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(transcript, ReadBytes(expected_file));
}

INSTANTIATE_TEST_SUITE_P(Demo, WindowWalkthroughTest,
                         ::testing::Values("", "_clicks", "_night", "_newcomer"),
                         [](const auto& info) {
                           const std::string name = info.param;
                           return name.empty() ? std::string("keyboard") : name.substr(1);
                         });

TEST(WindowProgramTest, WindowCommandSavesTheWholeWindow) {
  TempDir work;
  std::filesystem::copy(ZUNK_DEMO_DIR, work.path() / "jogo",
                        std::filesystem::copy_options::recursive);
  {
    std::ofstream input(work.path() / "entrada.txt");
    input << "!window janela.png\n!button btFim\nOLHE\n";
  }
  int status = -1;
  const std::string transcript = RunWindow(work.path(), "jogo --input entrada.txt", status);
  EXPECT_EQ(status, 0);
  const QImage shot(QString::fromStdString((work.path() / "janela.png").string()));
  EXPECT_EQ(shot.size(), QSize(640, 350));
  // The start script's messages are in the window, not only in the transcript: a line of
  // Mensag holds dark text on its flat background.
  const QColor flat = shot.pixelColor(10, 217);
  bool text_seen = false;
  for (int x = 12; x < 400 && !text_seen; ++x) {
    for (int y = 218; y < 232 && !text_seen; ++y) text_seen = shot.pixelColor(x, y) != flat;
  }
  EXPECT_TRUE(text_seen);
  // btFim ends the game: the line after it is never read.
  EXPECT_NE(transcript.find("janela: encerrada"), std::string::npos);
  EXPECT_EQ(transcript.find("> OLHE"), std::string::npos);
}

}  // namespace
}  // namespace zunk::testing

// The headless player end to end: the demo's transcript with its picture commands, the error
// display, console mistakes and start-up failures.
#include <cstdio>
#include <string>
#include <utility>

#include "script/script_codec.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

struct RunResult {
  std::string output;
  int status = -1;
};

// Runs a shell command, standard error joined to the output.
RunResult RunCommand(const std::string& command) {
  RunResult result;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// Runs zunk-run with the arguments, in the working folder when one is given.
RunResult RunPlayer(const std::string& arguments, const std::filesystem::path& working = {}) {
  const std::string program = std::string(ZUNK_RUN_PATH) + " " + arguments;
  return RunCommand(working.empty() ? program : "cd '" + working.string() + "' && " + program);
}

// Width and height from a PNG file's header; 0 × 0 when the file is not a PNG.
std::pair<int, int> PngSize(const std::filesystem::path& path) {
  const std::string bytes = ReadBytes(path);
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
  auto number = [&](std::size_t at) {
    int value = 0;
    for (std::size_t i = at; i < at + 4; ++i) {
      value = value << 8 | static_cast<unsigned char>(bytes[i]);
    }
    return value;
  };
  return {number(16), number(20)};
}

TEST(HeadlessPlayerTest, DemoWalkthroughMatchesApprovedTranscript) {
  TempDir copy;  // the player writes the settings file back; keep the build folder untouched
  const std::filesystem::path game = copy.path() / "jogo";
  const std::filesystem::path work = copy.path() / "trabalho";  // where the console's PNGs go
  std::filesystem::copy(ZUNK_DEMO_DIR, game, std::filesystem::copy_options::recursive);
  std::filesystem::create_directory(work);
  const RunResult run = RunPlayer(
      game.string() + " --input " + ZUNK_TEST_DATA_DIR + "/data/demo_walkthrough.txt", work);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output,
            ReadBytes(std::string(ZUNK_TEST_DATA_DIR) + "/data/demo_transcript.expected"));

  // The picture commands wrote into the current folder, at the pictures' own sizes.
  using Size = std::pair<int, int>;
  for (const char* screen : {"praia.png", "farol.png", "escada.png", "topo.png"}) {
    EXPECT_EQ(PngSize(work / screen), Size(480, 200)) << screen;
  }
  EXPECT_EQ(PngSize(work / "topo-buffer.png"), Size(1440, 200));
  EXPECT_EQ(PngSize(work / "local.png"), Size(80, 120));
  EXPECT_EQ(PngSize(work / "mochila.png"), Size(200, 40));
  EXPECT_FALSE(std::filesystem::exists(work / "x.png"));
}

TEST(HeadlessPlayerTest, MissingZipModuleEndsStartUpWithItsMessage) {
  TempDir folder;  // a copy of the program with no zip module beside it
  const std::filesystem::path program = folder.path() / "zunk-run";
  std::filesystem::copy_file(ZUNK_RUN_PATH, program);
  const std::string command = program.string() + " " + ZUNK_DEMO_DIR + " --input /dev/null";
  const RunResult run = RunCommand(command);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, "erro: Falha na inicialização da biblioteca zipdll.dll\n");
}

TEST(HeadlessPlayerTest, FaultsReachTheErrorDisplayAndTheGameGoesOn) {
  TempDir game;
  WriteBytes(game.path() / "jogo.msg", "zero\r\num\r\n");
  WriteBytes(game.path() / "inicio.scpt", EncodeScript({"msg= antes", "script inicio"}));
  WriteBytes(game.path() / "input.txt", "!lin msg= depois\n!reg 300\n!obj nada\n!regs\n");
  const RunResult run =
      RunPlayer(game.path().string() + " --input " + (game.path() / "input.txt").string());
  EXPECT_EQ(run.status, 0);
  const std::string& out = run.output;
  // The runaway start script ends once, with the CP1252 message shown as UTF-8.
  EXPECT_NE(out.find("*** início\nerro: Execução interrompida"), std::string::npos) << out;
  EXPECT_NE(out.find("> !lin msg= depois\n| depois\nstatus: Status...\n"), std::string::npos);
  EXPECT_NE(out.find("aviso: registrador desconhecido"), std::string::npos);
  EXPECT_NE(out.find("aviso: objeto não encontrado: nada"), std::string::npos);
  EXPECT_NE(out.find("reg:0:  = 0\nreg:1:  = 0"), std::string::npos);
  EXPECT_NE(out.find("reg:250:  = 0\n"), std::string::npos);
}

TEST(HeadlessPlayerTest, BadCommandLinesFailWithoutPlaying) {
  EXPECT_EQ(RunPlayer("/nonexistent-zunk-folder").status, 1);
  EXPECT_EQ(RunPlayer(std::string(ZUNK_DEMO_DIR) + " --input /nonexistent-zunk-input").status, 1);
  EXPECT_EQ(RunPlayer("--base").status, 2);
}

}  // namespace
}  // namespace zunk::testing

// The headless player end to end: the demo's transcript, the error display, console mistakes.
#include <cstdio>
#include <string>

#include "script/script_codec.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

struct RunResult {
  std::string output;
  int status = -1;
};

RunResult RunPlayer(const std::string& arguments) {
  RunResult result;
  const std::string command = std::string(ZUNK_RUN_PATH) + " " + arguments + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TEST(HeadlessPlayerTest, DemoWalkthroughMatchesApprovedTranscript) {
  TempDir copy;  // the player writes the settings file back; keep the build folder untouched
  std::filesystem::copy(ZUNK_DEMO_DIR, copy.path(), std::filesystem::copy_options::recursive);
  const RunResult run = RunPlayer(copy.path().string() + " --input " + ZUNK_TEST_DATA_DIR +
                                  "/data/demo_walkthrough.txt");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, ReadBytes(std::string(ZUNK_TEST_DATA_DIR) + "/data/demo_transcript.expected"));
}

TEST(HeadlessPlayerTest, FaultsReachTheErrorDisplayAndTheGameGoesOn) {
  TempDir game;
  WriteBytes(game.path() / "jogo.msg", "zero\r\num\r\n");
  WriteBytes(game.path() / "inicio.scpt", EncodeScript({"msg= antes", "script inicio"}));
  WriteBytes(game.path() / "input.txt", "!lin msg= depois\n!reg 300\n!obj nada\n!regs\n");
  const RunResult run = RunPlayer(game.path().string() + " --input " +
                                  (game.path() / "input.txt").string());
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

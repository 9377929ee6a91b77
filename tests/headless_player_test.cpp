// The headless player end to end: the demo's transcript with its picture commands, the error
// display, console mistakes and start-up failures; the virtual clock and its timers, held
// input, the pointer and suggestion commands, and --expect.
#include <algorithm>
#include <cstdio>
#include <map>
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

// Runs a shell command, standard error joined to the output unless it is redirected.
RunResult RunCommand(const std::string& command, const std::string& stderr_to = "&1") {
  RunResult result;
  FILE* pipe = ::popen((command + " 2>" + stderr_to).c_str(), "r");
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

// Plays a small game (messages "zero" and "um", verbs NORTE..OESTE and OLHAR, the scripts
// given) with the input lines, from its own folder.
using Scripts = std::map<std::string, Strings>;
class SmallGame {
 public:
  explicit SmallGame(const Scripts& scripts) {
    WriteBytes(dir_.path() / "jogo.msg", "zero\r\num\r\n");
    WriteBytes(dir_.path() / "jogo.vrb", "NORTE\r\nLESTE\r\nSUL\r\nOESTE\r\nOLHAR\r\n");
    for (const auto& [name, lines] : scripts) {
      WriteBytes(dir_.path() / (name + ".scpt"), EncodeScript(lines));
    }
  }
  RunResult Play(const std::string& input, const std::string& options = "",
                 const std::string& stderr_to = "&1") const {
    WriteBytes(dir_.path() / "input.txt", input);
    return RunCommand(std::string(ZUNK_RUN_PATH) + " " + dir_.path().string() + " --input " +
                          (dir_.path() / "input.txt").string() + " " + options,
                      stderr_to);
  }
  std::filesystem::path path() const { return dir_.path(); }

 private:
  TempDir dir_;
};

// Each piece occurs in the text after the one before it.
::testing::AssertionResult InOrder(const std::string& text, const Strings& pieces) {
  std::size_t at = 0;
  for (const std::string& piece : pieces) {
    const std::size_t found = text.find(piece, at);
    if (found == std::string::npos) {
      return ::testing::AssertionFailure() << "missing after " << at << ": " << piece << "\n"
                                           << text;
    }
    at = found + piece.size();
  }
  return ::testing::AssertionSuccess();
}

TEST(HeadlessPlayerTest, TimersTickOnTheVirtualClock) {
  // The clock counts Reg[21]; the periodic script counts Reg[40] every 250 ms.
  const SmallGame game({{"inicio", {"timer= on", "runtime 250,pulso"}}, {"pulso", {"inc 40"}}});
  const RunResult run = game.Play(
      "!lin delay 3000\n!reg 21\n!reg 40\n"
      "!lin pausa 5000\n!lin delay 1\n!reg 21\n!reg 40\n"  // due many times, fires once
      "!tick clock 3\n!tick timer 2\n!reg 21\n!reg 40\n"
      "!lin timer= off\n!tick clock\n!lin delay 2000\n!reg 21\n!reg 40\n"
      "!lin runtime off\n!tick timer 5\n!tick\n!tick clock 0\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(InOrder(
      run.output, {"reg:21:  = 3\n", "reg:40:  = 12\n",  // exact counts
                   "reg:21:  = 4\n", "reg:40:  = 13\n",  // merged
                   "reg:21:  = 7\n", "reg:40:  = 15\n",  // console ticks
                   "aviso: o relógio está desligado\n",  // no tick when off
                   "reg:21:  = 7\n", "reg:40:  = 23\n",
                   "> !tick timer 5\naviso: o temporizador está desligado\nstatus",
                   "aviso: uso: !tick clock|timer [N]\n", "aviso: uso: !tick clock|timer [N]\n"}));
}

TEST(HeadlessPlayerTest, HeldLinesRunInsideTheNextWaitOrAsTheirOwnTurn) {
  const SmallGame game({{"inicio", {"msg= ola"}}, {"05000000", {"inc 41", "msg= olhou"}}});
  const RunResult run = game.Play(
      "!queue OLHAR\n!queue !reg 41\n!lin delay 500\n"
      "!queue !reg 41\n!reg 1\n!reg 2\n"  // no pump in "!reg 1": its own turn after it
      "!lin reg 8,1\nOLHAR\n!queue\n!queue !reg 99\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(
      InOrder(run.output, {"> !lin delay 500\n> OLHAR (durante a espera)\n"
                           "> !reg 41 (durante a espera)\nreg:41:  = 1\n| olhou\nstatus: ] OLHAR\n",
                           "> !reg 1\n", "\n> !reg 41\nreg:41:  = 1\n", "> !reg 2\n",
                           // The sentence counter fires: Frase keeps the sentence.
                           "> OLHAR\n| olhou\nfrase: OLHAR\n", "> !queue\naviso: uso: !queue",
                           "> !reg 99\nreg:99:  = 0\n"}));  // still held at the end of the input
}

TEST(HeadlessPlayerTest, PointerAndSuggestionCommandsReachTheGame) {
  const SmallGame game({{"inicio",
                         {"msg= ola", "link 2,10,10,20,20,2,3,porta",
                          "link 4,0,100,10,10,0,8,pagina.html", "sgt= 1,Entrar", "sgt# 1,porta"}},
                        {"porta", {"msg= porta aberta", "sgt= 2,Voltar", "sgt# 2,inicio"}}});
  const RunResult run = game.Play(
      "!links\n!move 30,30\n!move 200,30\n!click 15,15\n!move 15,15\n!press 15,15\n"
      "!release 15,15\n!sg 2\n!sg 1\n!sg 3\n!sg 9\n!click 1\n!move 5,105\n!click 5,105\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(
      InOrder(run.output,
              {"> !links\nlink 0: inativo 0,0,0,0,0,0,\nlink 1: inativo 0,0,0,0,0,0,\n"
               "link 2: ativo 10,10,20,20,2,3,porta\n",
               "link 9: inativo 0,0,0,0,0,0,\nlink atual: 4\n",
               "> !move 30,30\nlink atual: 2 (mão)\n",  // the edges belong to it
               "> !move 200,30\nlink atual: nenhum\n", "> !click 15,15\n| ola\n", "> !move 15,15\n",
               "> !press 15,15\n| porta aberta\n", "sugestão 2: Voltar -> inicio\n",
               "> !sg 2\n| ola\n", "> !sg 1\n| porta aberta\n", "> !sg 3\n| porta aberta\n",
               "> !sg 9\naviso: uso: !sg 1|2|3\n", "aviso: uso: !click X,Y\n",
               "> !click 5,105\npágina: Web\nweb: pagina.html\n| porta aberta\n"}));
}

TEST(HeadlessPlayerTest, ExpectComparesTheTranscriptAndShowsTheDifference) {
  const SmallGame game(Scripts{{"inicio", {"msg= ola"}}});
  const std::string input = "!reg 1\n!reg 2\n!reg 3\n!reg 4\n!reg 5\n!reg 6\n!reg 7\n";
  const RunResult plain = game.Play(input, "", "/dev/null");
  ASSERT_EQ(plain.status, 0);
  std::string crlf;  // an approved file saved with CR LF line ends still matches
  for (char c : plain.output) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  WriteBytes(game.path() / "same.txt", crlf);
  const std::string expect = " --expect " + (game.path() / "other.txt").string();
  const RunResult same = game.Play(input, "--expect " + (game.path() / "same.txt").string());
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(same.output, plain.output);  // the transcript still goes out, nothing else

  std::string other = plain.output;
  other.replace(other.find("reg:5:  = 0"), 11, "reg:5:  = 9");
  WriteBytes(game.path() / "other.txt", other);
  const RunResult differs = game.Play(input, expect, "&1 >/dev/null");
  EXPECT_EQ(differs.status, 1);
  const int line = 1 + static_cast<int>(std::count(
                           other.begin(), other.begin() + other.find("reg:5:  = 9"), '\n'));
  EXPECT_TRUE(
      InOrder(differs.output, {"difere de", "@@ -" + std::to_string(line - 3) + ",7 +",
                               " status: Status...\n \n > !reg 5\n-reg:5:  = 9\n+reg:5:  = 0\n "}))
      << line;
  EXPECT_EQ(game.Play(input, " --expect /nonexistent-zunk-expect").status, 2);
}

}  // namespace
}  // namespace zunk::testing

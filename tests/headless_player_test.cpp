// The headless player end to end: the demo, faults, timers, held input, pointer and --expect.
#include <algorithm>
#include <cstdio>
#include <map>
#include <regex>
#include <string>
#include <utility>

#include "media_files.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

using namespace std::string_literals;

using RunResult = std::pair<int, std::string>;  // the exit status and the output
const std::string kPlayer = std::string(ZUNK_RUN_PATH) + " ";

// Runs a shell command in the folder, standard error joined to the output.
RunResult Shell(const std::filesystem::path& folder, const std::string& command) {
  std::string output;
  FILE* pipe = ::popen(("cd '" + folder.string() + "' && " + command + " 2>&1").c_str(), "r");
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    output.append(buffer, n);
  const int status = ::pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

// "WxH" from a PNG file's header; empty when the file is not a PNG.
std::string PngSize(const std::filesystem::path& path) {
  const std::string b = ReadBytes(path);
  if (b.size() < 24 || b.compare(1, 3, "PNG") != 0) return "";
  auto at = [&](int i) { return std::to_string((b[i] & 0xFF) << 8 | (b[i + 1] & 0xFF)); };
  return at(18) + "x" + at(22);  // the high bytes are 0 at these sizes
}

// The run ended with the status, and each piece occurs in its output after the one before.
::testing::AssertionResult InOrder(const RunResult& run, const Strings& pieces, int status = 0) {
  if (run.first != status) return ::testing::AssertionFailure() << "status " << run.first;
  std::size_t at = 0;
  for (const std::string& piece : pieces) {
    if ((at = run.second.find(piece, at)) == std::string::npos)
      return ::testing::AssertionFailure() << "missing: " << piece << "\n" << run.second;
    at += piece.size();
  }
  return ::testing::AssertionSuccess();
}

TEST(HeadlessPlayerTest, DemoWalkthroughMatchesApprovedTranscript) {
  TempDir work;  // the player writes the settings file back; keep the build folder untouched
  std::filesystem::copy(ZUNK_DEMO_DIR, work.path() / "jogo",
                        std::filesystem::copy_options::recursive);
  const std::string data = std::string(ZUNK_TEST_DATA_DIR) + "/data/";
  EXPECT_EQ(Shell(work.path(), kPlayer + "jogo --input " + data + "demo_walkthrough.txt"),
            RunResult(0, ReadBytes(data + "demo_transcript.expected")));
  // The picture commands wrote into the current folder, at the pictures' own sizes.
  std::string sizes;
  for (const char* name : {"praia", "farol", "escada", "topo", "topo-buffer", "local", "mochila"})
    sizes += PngSize(work.path() / (std::string(name) + ".png")) + " ";
  EXPECT_EQ(sizes, "480x200 480x200 480x200 480x200 1440x200 80x120 200x40 ");
}

TEST(HeadlessPlayerTest, StartUpFailuresEndWithoutPlaying) {
  TempDir folder;  // a copy of the program with no zip module beside it
  std::filesystem::copy_file(ZUNK_RUN_PATH, folder.path() / "zunk-run");
  EXPECT_EQ(Shell(folder.path(), "./zunk-run " ZUNK_DEMO_DIR " --input /dev/null"),
            RunResult(1, "erro: Falha na inicialização da biblioteca zipdll.dll\n"));
  for (auto [arguments, status] : {std::pair("/nonexistent-zunk-folder", 1),
                                   {ZUNK_DEMO_DIR " --input /nonexistent-zunk-input", 1},
                                   {"--base", 2},
                                   {"--expect /nonexistent-zunk-expect", 2}})
    EXPECT_EQ(Shell(folder.path(), kPlayer + arguments).first, status) << arguments;
}

// A game of messages "zero" and "um", verbs NORTE..OESTE and OLHAR, and the scripts given.
struct SmallGame : TempDir {
  explicit SmallGame(const std::map<std::string, Strings>& scripts) {
    WriteBytes(path() / "jogo.msg", "zero\r\num\r\n");
    WriteBytes(path() / "jogo.vrb", "NORTE\r\nLESTE\r\nSUL\r\nOESTE\r\nOLHAR\r\n");
    for (const auto& [name, lines] : scripts)
      WriteBytes(path() / (name + ".scpt"), EncodeScript(lines));
  }
  RunResult Play(const std::string& input, const std::string& options = "") const {
    WriteBytes(path() / "input.txt", input);
    return Shell(path(), kPlayer + ". --input input.txt " + options);
  }
};

TEST(HeadlessPlayerTest, TimersTickOnTheVirtualClock) {
  // The clock counts Reg[21]; the periodic script counts Reg[40] every 250 ms. Exact counts
  // after a delay; a timer due many times in a pause fires once; console ticks; none when off.
  const SmallGame game({{"inicio", {"timer= on", "runtime 250,pulso"}}, {"pulso", {"inc 40"}}});
  EXPECT_TRUE(InOrder(
      game.Play("!lin delay 3000\n!reg 21\n!reg 40\n!lin pausa 5000\n!lin delay 1\n!reg 21\n"
                "!reg 40\n!tick clock 3\n!tick timer 2\n!reg 21\n!reg 40\n!lin timer= off\n"
                "!tick clock\n!lin delay 2000\n!reg 21\n!reg 40\n!lin runtime off\n"
                "!tick timer 5\n!tick\n!tick clock 0\n"),
      {"reg:21:  = 3\n", "reg:40:  = 12\n", "reg:21:  = 4\n", "reg:40:  = 13\n", "reg:21:  = 7\n",
       "reg:40:  = 15\n", "aviso: o relógio está desligado\n", "reg:21:  = 7\n", "reg:40:  = 23\n",
       "> !tick timer 5\naviso: o temporizador está desligado\nstatus",
       "aviso: uso: !tick clock|timer [N]\n", "aviso: uso: !tick clock|timer [N]\n"}));
}

TEST(HeadlessPlayerTest, MediaPlaysLastTheirFilesLengthOnTheVirtualClock) {
  // WAV and MIDI last their own length (1.5 s and 4.5 s), anything else 1 s. A waiting play
  // moves the clock on at once; background plays end when a wait reaches their end.
  const SmallGame game({});
  WriteBytes(game.path() / "a.wav", EncodeWaveTone(1500));
  WriteBytes(game.path() / "m.mid", EncodeMidiTune({{60, 480 * 8}, {64, 480}}));
  WriteBytes(game.path() / "x.ogg", "OggS\0\2\0\0\0\0\0\0\0\0\0\0"s);
  WriteBytes(game.path() / "texto.wav", "nada");
  EXPECT_TRUE(InOrder(
      game.Play("!lin play 1,3,a.wav\n!wait 1499\n!wait 1\n!wait 2999\n!wait 1\n!lin stop 1\n"
                "!lin play 2,1,a.wav\n!lin play 3,1,m.mid\n"
                "!lin play 2,0,x.ogg\n!wait 999\n!wait 1\n!lin stop 2\n!lin play 1,1,texto.wav\n"
                "!wait -1\n"),
      {"> !lin play 1,3,a.wav\nmídia: canal 1, a.wav, repetir 3\nstatus", "> !wait 1499\nstatus",
       "> !wait 1\nstatus", "> !wait 2999\nstatus", "> !wait 1\nmídia: canal 1 fechado\nstatus",
       "> !lin stop 1\nerro: No MCI device open\nstatus",
       "> !lin play 3,1,m.mid\nmídia: canal 3, m.mid, repetir 1\nmídia: canal 3 fechado\n"
       "mídia: canal 2 fechado\nstatus",
       "> !wait 999\nstatus", "> !wait 1\nstatus", "> !lin stop 2\nmídia: canal 2 parado\n",
       "erro: Não é um arquivo de som ou vídeo: texto.wav\n", "aviso: uso: !wait MS"}));
}

TEST(HeadlessPlayerTest, HeldLinesRunInsideTheNextWaitOrAsTheirOwnTurn) {
  // "!reg 1" does not pump: the line held before it is its own turn after it. The sentence
  // counter fires, so Frase keeps the sentence; "!reg 99" is still held when the input ends.
  const SmallGame game({{"inicio", {"msg= ola"}}, {"05000000", {"inc 41", "msg= olhou"}}});
  EXPECT_TRUE(InOrder(
      game.Play("!queue OLHAR\n!queue !reg 41\n!lin delay 500\n!queue !reg 41\n!reg 1\n!reg 2\n"
                "!lin reg 8,1\nOLHAR\n!queue\n!queue !reg 99\n"),
      {"> !lin delay 500\n> OLHAR (durante a espera)\n> !reg 41 (durante a espera)\n"
       "reg:41:  = 1\n| olhou\nstatus: ] OLHAR\n",
       "> !reg 1\n", "\n> !reg 41\nreg:41:  = 1\n", "> !reg 2\n",
       "> OLHAR\n| olhou\nfrase: OLHAR\n", "> !queue\naviso: uso: !queue",
       "> !reg 99\nreg:99:  = 0\n"}));
}

TEST(HeadlessPlayerTest, PointerAndSuggestionCommandsReachTheGame) {
  const SmallGame game({{"inicio",
                         {"msg= ola", "link 2,10,10,20,20,2,3,porta",
                          "link 4,0,100,10,10,0,8,pagina.html", "sgt= 1,Entrar", "sgt# 1,porta"}},
                        {"porta", {"msg= porta aberta", "sgt= 2,Voltar", "sgt# 2,inicio"}}});
  // A link's right and bottom edges belong to it.
  EXPECT_TRUE(InOrder(
      game.Play("!links\n!move 30,30\n!move 200,30\n!click 15,15\n!move 15,15\n!press 15,15\n"
                "!release 15,15\n!sg 2\n!sg 1\n!sg 3\n!sg 9\n!click 1\n!move 5,105\n"
                "!click 5,105\n"),
      {"> !links\nlink 0: inativo 0,0,0,0,0,0,\nlink 1: inativo 0,0,0,0,0,0,\n"
       "link 2: ativo 10,10,20,20,2,3,porta\n",
       "link 9: inativo 0,0,0,0,0,0,\nlink atual: 4\n", "> !move 30,30\nlink atual: 2 (mão)\n",
       "> !move 200,30\nlink atual: nenhum\n", "> !click 15,15\n| ola\n", "> !move 15,15\n",
       "> !press 15,15\n| porta aberta\n", "sugestão 2: Voltar -> inicio\n", "> !sg 2\n| ola\n",
       "> !sg 1\n| porta aberta\n", "> !sg 3\n| porta aberta\n", "> !sg 9\naviso: uso: !sg 1|2|3\n",
       "aviso: uso: !click X,Y\n",
       "> !click 5,105\npágina: Web\nweb: zunk-jogo://jogo/pagina.html\n| porta aberta\n"}));
}

TEST(HeadlessPlayerTest, PanelCommandsHoverDragAndDoubleClickOnTheDemo) {
  // On the beach: LANTERNA (1) and CONCHAS (5) in ObjLoc. The shells are dragged onto the
  // first carried cell, examined there, and dragged back onto the screen; the second click of
  // a double click on an empty cell does nothing.
  TempDir work;
  std::filesystem::copy(ZUNK_DEMO_DIR, work.path() / "jogo",
                        std::filesystem::copy_options::recursive);
  WriteBytes(work.path() / "entrada.txt",
             "!hover loc 20,20\n!hover jog 10,10\n!drag loc 60,20 460,270\n!panels\n"
             "!dblclick jog 20,20\n!drag jog 20,20 110,110\n!dblclick loc 60,60\n!hover loc 1\n"
             "!drag loc 1,2\n!dblclick xx 1,2\n");
  EXPECT_TRUE(
      InOrder(Shell(work.path(), kPlayer + "jogo --input entrada.txt"),
              {"> !hover loc 20,20\npainel: loc objeto 1 (arrastar)\n",
               "> !hover jog 10,10\npainel: jog nenhum (seta)\n", "status: ] PEGUE AS CONCHAS\n",
               "Com você: 5 0", "> !dblclick jog 20,20\n| São umas conchas rosadas.\n",
               "status: ] EXAMINE AS CONCHAS\n", "status: ] SOLTE AS CONCHAS\n",
               "> !dblclick loc 60,60\n| Ok.\nstatus: ] SOLTE AS CONCHAS\n",
               "aviso: uso: !hover loc|jog X,Y\n", "aviso: uso: !drag loc|jog X,Y TX,TY\n",
               "aviso: uso: !dblclick loc|jog X,Y\n"}));
}

TEST(HeadlessPlayerTest, FaultsGoToTheTranscriptWhichExpectComparesAndShowsTheDifference) {
  const SmallGame game({{"inicio", {"msg= antes", "script inicio"}}});
  const std::string input = "!lin msg= depois\n!reg 300\n!obj nada\n!reg 5\n!regs\n";
  const RunResult plain = game.Play(input);
  // The runaway start script ends, with the CP1252 message shown as UTF-8; the game goes on.
  EXPECT_TRUE(InOrder(
      plain,
      {"*** início\nerro: Execução interrompida",
       "> !lin msg= depois\n| depois\nstatus: Status...\n", "aviso: registrador desconhecido",
       "aviso: objeto não encontrado: nada", "reg:0:  = 0\nreg:1:  = 0", "reg:250:  = 0\n"}));
  // An approved file saved with CR LF line ends still matches; only the transcript goes out.
  WriteBytes(game.path() / "same.txt", std::regex_replace(plain.second, std::regex("\n"), "\r\n"));
  EXPECT_EQ(game.Play(input, "--expect same.txt"), plain);
  const std::size_t changed = plain.second.find("reg:5:  = 0");
  WriteBytes(game.path() / "other.txt", std::string(plain.second).replace(changed + 10, 1, "9"));
  const auto line = std::count(&plain.second[0], &plain.second[changed], '\n') + 1;
  EXPECT_TRUE(InOrder(game.Play(input, "--expect other.txt"),
                      {"difere de", "@@ -" + std::to_string(line - 3) + ",7 +",
                       " status: Status...\n \n > !reg 5\n-reg:5:  = 9\n+reg:5:  = 0\n "},
                      1));
}

TEST(HeadlessPlayerTest, BrowserEventsAndPopupButtonsOnTheConsole) {
  const SmallGame game({{"inicio", {"msg= ola", "reg 1,1"}}});
  EXPECT_TRUE(InOrder(
      game.Play("!button btWeb\n!lin web enredo.htm\n!browser web begin\n"
                "!browser web progress 30 60\n!browser web loaded\n!browser web complete\n"
                "!button btVsr\n!button btWeb\n!browser web request zunk-jogo://jogo/off.htm\n"
                "!popup btSt3\n!popup btRet\n!popup btFim\n!popup btX\n!browser tv begin\n"
                "!lin web http://exemplo.org/,2\n!lin web ../fora.txt,2\n"),
      {"> !button btWeb\njanela web: zunk-jogo://jogo/enredo.htm\n",
       "> !lin web enredo.htm\np\u00e1gina: Web\nweb: zunk-jogo://jogo/enredo.htm\n",
       "> !browser web begin\n", "status: Baixando p\u00e1gina...\n", "progresso: 30/60\n",
       "> !browser web complete\n", "status: \n", "> !button btWeb\np\u00e1gina: Web\n",
       "> !browser web request zunk-jogo://jogo/off.htm\nweb: cancelada\np\u00e1gina: Visor\n",
       "> !popup btSt3\njanela web: zunk-site://site/frases.htm\n",
       "> !popup btRet\njanela web: voltar\n", "> !popup btFim\njanela web: fechada\n",
       "aviso: uso: !popup", "aviso: uso: !browser",
       "> !lin web http://exemplo.org/,2\nabrir: http://exemplo.org/\n",
       "> !lin web ../fora.txt,2\n|"}));
}

}  // namespace
}  // namespace zunk::testing

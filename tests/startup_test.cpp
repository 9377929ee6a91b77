// Start-up from a game folder: the settings file, the data files and their line ends,
// case-insensitive names, the start script, and the login written back at the end.
#include "test_support.h"

namespace zunk::testing {
namespace {

class StartupTest : public GameTest {};

TEST_F(StartupTest, SettingsChooseTheStartScriptAndKeepTheLogin) {
  WriteFile("teste.ovt", "v1\r\nx\r\ny\r\nsala1\r\nz\r\nana\r\nsegredo\r\nfim da lista\r\n");
  WriteScript("sala1", {"inc 1"});
  WriteScript("inicio", {"inc 2"});
  Start();
  EXPECT_EQ(game().login + "/" + game().senha, "ana/segredo");
  game().Activate();
  game().Activate();  // only the first activation starts the game
  EXPECT_EQ(world().reg[1], 1);
  EXPECT_EQ(world().reg[2], 0);
  game().login = "bia";
  game().senha = "nova";
  game_.reset();  // the end of the game writes the login back
  EXPECT_EQ(ReadBytes(dir_.path() / "teste.ovt"),
            "v1\r\nx\r\ny\r\nsala1\r\nz\r\nbia\r\nnova\r\nfim da lista\r\n");

  // Four lines (LF only, no final end): a start script but no login; the file grows to seven
  // lines ended as its own are, and still without a final end.
  WriteFile("teste.ovt", "a\nb\nc\nabre");
  WriteScript("abre", {"inc 1"});
  Start();
  game().Activate();
  EXPECT_EQ(world().reg[1], 1);
  game().login = "eu";
  game_.reset();
  EXPECT_EQ(ReadBytes(dir_.path() / "teste.ovt"), "a\nb\nc\nabre\n\neu\n");

  // Only lines 5 and 6 change; every other byte stays, mixed line ends included. A file
  // whose login is unchanged is not written at all.
  const std::string other(1024 * 1024, 'o');
  WriteFile("teste.ovt", "v1\rx\r\ny\nsala1\r\n" + other + "\nana\r\nsegredo\rfim\n\r");
  Start();
  game().senha = "nova";
  game_.reset();
  EXPECT_EQ(ReadBytes(dir_.path() / "teste.ovt"),
            "v1\rx\r\ny\nsala1\r\n" + other + "\nana\r\nnova\rfim\n\r");
  const auto path = dir_.path() / "teste.ovt";
  const auto old_time = std::filesystem::last_write_time(path) - std::chrono::hours(1);
  const auto untouched = [&](const std::string& bytes) {
    if (!bytes.empty()) WriteFile("teste.ovt", bytes);
    std::filesystem::last_write_time(path, old_time);
    const std::string before = ReadBytes(path);
    Start();
    game_.reset();
    return std::filesystem::last_write_time(path) == old_time && ReadBytes(path) == before;
  };
  EXPECT_TRUE(untouched(""));
  EXPECT_TRUE(untouched("a\r\nb"));  // missing lines 5 and 6 are empty lines

  // An empty line 3 starts nothing, not even the default script.
  WriteFile("teste.ovt", "a\r\nb\r\nc\r\n\r\nd\r\nl\r\n");
  Start();
  EXPECT_EQ(game().login + "/" + game().senha, "l/");
  game().Activate();
  EXPECT_EQ(world().reg[2], 0);
}

TEST_F(StartupTest, NoSettingsFileAndNamesInAnyCase) {
  WriteFile("INICIO.SCPT", EncodeScript({"msg= ol\xE1", "script Sala"}));
  WriteFile("sala.Scpt", EncodeScript({"msg# na sala"}));
  WriteFile("teste.ign", "DE\rDA\r");
  Start();
  EXPECT_EQ(world().ignored_words.lines(), (Strings{"DE", "DA"}));
  game().Activate();
  EXPECT_EQ(shown(), (Strings{"ol\xE1", "na sala"}));
  game().login = "ninguem";
  game_.reset();
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "teste.ovt"));  // never created
}

TEST_F(StartupTest, DataFilesWithAnyLineEnds) {
  WriteFile("teste.plr", "LANTERNA:LAMPADA\rLANTERNA\rCHAVE");  // CR only, no final end
  WriteFile("teste.vrb", "PEGAR\nOLHAR\r\nABRIR\rFECHAR\n");
  WriteFile("teste.msg", "Ol\xE1!\r\nA\xE7\xE3o \x80\x9F\xFF\r\n\r\nfim");
  // Thirteen lines: the second record is partial.
  WriteFile("teste.obj",
            "LANTERNA\r\numa lanterna\r\nsala\r\n.\r\n1\r\n1\r\n\r\n\r\n\r\n\r\n"
            "CHAVE\r\numa chave\r\njog1");
  Start();
  EXPECT_EQ(world().ignored_words.lines(), Strings{"A:O:UM:UMA"});
  EXPECT_EQ(world().word_list.lines(), (Strings{"LANTERNA:LAMPADA", "LANTERNA", "CHAVE"}));
  EXPECT_EQ(world().verb_list.lines(), (Strings{"PEGAR", "OLHAR", "ABRIR", "FECHAR"}));
  EXPECT_EQ(world().message_list.lines(),
            (Strings{"Ol\xE1!", "A\xE7\xE3o \x80\x9F\xFF", "", "fim"}));
  EXPECT_EQ(world().ObjectCount(), 2);
  EXPECT_EQ(world().ObjectLine(1, kLoc), "jog1");
  RunLines({"msg= ", "msg+ #2", "msg+ $1"});
  EXPECT_EQ(shown(), Strings{"uma chaveA\xE7\xE3o \x80\x9F\xFF"});

  // Writing a line of the partial record completes it first.
  world().SetObjectLine(1, kShp, "chave.bmp");
  EXPECT_EQ(world().ObjectLine(1, kShp), "chave.bmp");

  // Sentence words find objects by their whole word line; the lower record wins.
  EXPECT_EQ(world().FindObjectByWordCode(1), 0);  // "LANTERNA:LAMPADA" is no object's word
  EXPECT_EQ(world().FindObjectByWordCode(2), 1);
  EXPECT_EQ(world().reg[kRegSentenceObject], 1);
  world().SetObjectLine(0, kPlvr, "CHAVE");
  EXPECT_EQ(world().FindObjectByWordCode(3), 1);
  for (int code : {4, 0}) EXPECT_EQ(world().FindObjectByWordCode(code), 0);
  EXPECT_EQ(world().reg[kRegSentenceObject], 0);
}

// Files past the size bound count as missing, lines past the line bound are cut; each is
// reported once per file however often it is loaded.
TEST_F(StartupTest, OversizedFilesAreUnavailableAndLongLinesAreCutEachReportedOnce) {
  WriteFile("teste.vrb", "PEGAR\r\n");
  std::filesystem::resize_file(dir_.path() / "teste.vrb", kMaxGameFileBytes + 1);  // sparse
  const std::string long_line(kMaxLoadedLineBytes + 10, 'm');
  WriteFile("teste.msg", "curta\r\n" + long_line + "\r\nfim\r\n");
  WriteFile("teste.ovt", "a\r\nb\r\nc\r\nlonga\r\n\r\n" + long_line + "\r\n");
  WriteScript("longa", {"msg= " + long_line, "inc 1"});
  WriteScript("grande", {"inc 2"});
  std::filesystem::resize_file(dir_.path() / "grande.scpt", kMaxGameFileBytes + 1);
  Start();
  for (int i = 0; i < 2; ++i) {
    if (i > 0) RunLines({"restart"});  // loads the data files again
    Run("longa");
    Run("grande");
  }
  EXPECT_TRUE(world().verb_list.Empty());
  EXPECT_EQ(world().message_list.lines(),
            (Strings{"curta", long_line.substr(0, kMaxLoadedLineBytes), "fim"}));
  EXPECT_EQ(game().login.size(), kMaxLoadedLineBytes);
  EXPECT_EQ(world().reg[1], 1);
  EXPECT_EQ(world().reg[2], 0);
  EXPECT_EQ(shown().front().size(), kMaxLoadedLineBytes - 5);
  EXPECT_EQ(host_.errors, (Strings{"Linhas longas demais (mais de 64 KB) cortadas em teste.ovt",
                                   "Arquivo grande demais (mais de 64 MB): teste.vrb",
                                   "Linhas longas demais (mais de 64 KB) cortadas em teste.msg",
                                   "Linhas longas demais (mais de 64 KB) cortadas em longa.scpt",
                                   "Arquivo grande demais (mais de 64 MB): grande.scpt"}));
  // The login, cut as loaded and unchanged, leaves the file alone.
  const std::string before = ReadBytes(dir_.path() / "teste.ovt");
  game_.reset();
  EXPECT_EQ(ReadBytes(dir_.path() / "teste.ovt"), before);
}

}  // namespace
}  // namespace zunk::testing

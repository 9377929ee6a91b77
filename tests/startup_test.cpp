// Start-up from a game folder: the settings file, the data files and their line ends,
// case-insensitive names, the start script, and the login written back at the end.
#include "script/script_codec.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

class StartupTest : public GameTest {
 protected:
  std::string Settings() { return ReadBytes(dir_.path() / "teste.ovt"); }
};

TEST_F(StartupTest, SettingsChooseTheStartScriptAndKeepTheLogin) {
  WriteData(".ovt", "v1\r\nx\r\ny\r\nsala1\r\nz\r\nana\r\nsegredo\r\nfim da lista\r\n");
  WriteScript("sala1", {"inc 1"});
  WriteScript("inicio", {"inc 2"});
  Start();
  EXPECT_EQ(world().fncdef[1], "sala1");
  EXPECT_EQ(game().login, "ana");
  EXPECT_EQ(game().senha, "segredo");
  game().Activate();
  game().Activate();  // only the first activation starts the game
  EXPECT_EQ(world().reg[1], 1);
  EXPECT_EQ(world().reg[2], 0);

  game().login = "bia";
  game().senha = "nova";
  game_.reset();
  EXPECT_EQ(Settings(), "v1\r\nx\r\ny\r\nsala1\r\nz\r\nbia\r\nnova\r\nfim da lista\r\n");
}

TEST_F(StartupTest, ShortOrEmptySettings) {
  // Four lines (LF only): a start script but no login; the file grows to seven lines.
  WriteData(".ovt", "a\nb\nc\nabre");
  WriteScript("abre", {"inc 1"});
  Start();
  EXPECT_EQ(world().fncdef[1], "abre");
  EXPECT_EQ(game().login, "");
  game().Activate();
  EXPECT_EQ(world().reg[1], 1);
  game().login = "eu";
  game_.reset();
  EXPECT_EQ(Settings(), "a\r\nb\r\nc\r\nabre\r\n\r\neu\r\n\r\n");

  // An empty line 3 starts nothing, not even the default script.
  WriteData(".ovt", "a\r\nb\r\nc\r\n\r\nd\r\nl\r\n");
  WriteScript("inicio", {"inc 2"});
  Start();
  EXPECT_EQ(world().fncdef[1], "");
  EXPECT_EQ(game().login, "l");
  EXPECT_EQ(game().senha, "");
  game().Activate();
  EXPECT_EQ(world().reg[2], 0);
  EXPECT_TRUE(host_.errors.empty());
}

TEST_F(StartupTest, NoSettingsFileAndNamesInAnyCase) {
  WriteFile("INICIO.SCPT", EncodeScript({"msg= ol\xE1", "script Sala"}));
  WriteFile("sala.Scpt", EncodeScript({"msg# na sala"}));
  WriteFile("TESTE.VRB", "PEGAR\r\nOLHAR\r\n");
  WriteData(".ign", "DE\rDA\r");
  Start();
  EXPECT_EQ(world().ignored_words.lines(), (std::vector<std::string>{"DE", "DA"}));
  EXPECT_EQ(world().fncdef[1], "inicio");
  EXPECT_EQ(world().verb_list.lines(), (std::vector<std::string>{"PEGAR", "OLHAR"}));
  game().Activate();
  EXPECT_EQ(output().lines(), (std::vector<std::string>{"ol\xE1", "na sala"}));
  game().login = "ninguem";
  game_.reset();
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "teste.ovt"));  // never created
}

TEST_F(StartupTest, DataFilesWithAnyLineEnds) {
  WriteData(".plr", "LANTERNA:LAMPADA\rLANTERNA\rCHAVE");  // CR only, no final end
  WriteData(".vrb", "PEGAR\nOLHAR\r\nABRIR\rFECHAR\n");
  WriteData(".msg", "Ol\xE1!\r\nA\xE7\xE3o \x80\x9F\xFF\r\n\r\nfim");
  // Thirteen lines: the second record is partial.
  WriteData(".obj",
            "LANTERNA\r\numa lanterna\r\nsala\r\n.\r\n1\r\n1\r\n\r\n\r\n\r\n\r\n"
            "CHAVE\r\numa chave\r\njog1");
  Start();
  EXPECT_EQ(world().ignored_words.lines(), std::vector<std::string>{"A:O:UM:UMA"});
  EXPECT_EQ(world().word_list.lines(),
            (std::vector<std::string>{"LANTERNA:LAMPADA", "LANTERNA", "CHAVE"}));
  EXPECT_EQ(world().verb_list.lines(),
            (std::vector<std::string>{"PEGAR", "OLHAR", "ABRIR", "FECHAR"}));
  EXPECT_EQ(world().message_list.lines(),
            (std::vector<std::string>{"Ol\xE1!", "A\xE7\xE3o \x80\x9F\xFF", "", "fim"}));
  EXPECT_EQ(world().ObjectCount(), 2);
  EXPECT_EQ(world().ObjectLine(1, kPlvr), "CHAVE");
  EXPECT_EQ(world().ObjectLine(1, kLoc), "jog1");
  EXPECT_EQ(world().ObjectLine(1, kFlags), "");
  EXPECT_EQ(world().ObjectLine(1, kVago), "");
  EXPECT_EQ(world().ObjectLine(2, kPlvr), "");
  Exec("msg= ");
  Exec("msg+ #2");
  Exec("msg+ $1");
  EXPECT_EQ(output().lines(), std::vector<std::string>{"uma chaveA\xE7\xE3o \x80\x9F\xFF"});

  // Writing a line of the partial record completes it first.
  world().SetObjectLine(1, kShp, "chave.bmp");
  EXPECT_EQ(world().object_list.Count(), 20);
  EXPECT_EQ(world().ObjectLine(1, kShp), "chave.bmp");

  // Sentence words find objects by their whole word line; the lower record wins.
  EXPECT_EQ(world().FindObjectByWordCode(1), 0);  // "LANTERNA:LAMPADA" is no object's word
  EXPECT_EQ(world().FindObjectByWordCode(2), 1);
  EXPECT_EQ(world().reg[kRegSentenceObject], 1);
  world().SetObjectLine(0, kPlvr, "CHAVE");
  EXPECT_EQ(world().FindObjectByWordCode(3), 1);
  EXPECT_EQ(world().FindObjectByWordCode(4), 0);
  EXPECT_EQ(world().FindObjectByWordCode(0), 0);
  EXPECT_EQ(world().reg[kRegSentenceObject], 0);
}

}  // namespace
}  // namespace zunk::testing

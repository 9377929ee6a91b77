// The sentence parser over a small vocabulary: lookups and the echo, directions, list and
// pronoun sentences, script selection and its fallbacks, counters, script names, bad input
// and a sentence entered while another one's script waits.
#include <cstdint>
#include <string>
#include <utility>

#include "game/parser/script_names.h"
#include "game/parser/vocabulary_index.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

class ParserTest : public GameTest {
 protected:
  void SetUp() override {
    WriteFile("teste.vrb",
              "NORTE:N\r\nLESTE:L\r\nSUL:S\r\nOESTE\r\nPEGUE:PEGAR:APANHE\r\nEXAMINE:OLHE\r\n"
              "ABRA\r\n");
    WriteFile("teste.plr",
              "LANTERNA:LAMPADA\r\nCHAVE\r\nBAU:ARCA\r\nPORTA\r\nESCAVADEIRA:CAVADEIRA\r\n"
              "CAVALO\r\nMOEDA\r\n");
    WriteFile("teste.msg", "zero\r\nNao entendi.\r\nNao pode.\r\nSem saida.\r\n");
    // Objects for LANTERNA:LAMPADA, CHAVE, BAU:ARCA and MOEDA; PORTA is a word of no object.
    std::string objects;
    for (const char* word : {"LANTERNA:LAMPADA", "CHAVE", "BAU:ARCA", "MOEDA"}) {
      objects += std::string(word) + "\r\nd\r\nsala\r\n........\r\n1\r\n1\r\n\r\n\r\n\r\n\r\n";
    }
    WriteFile("teste.obj", objects);
    Start();
    // Every run the tests care about pauses once; the pump records what the script saw.
    host_.on_pump = [this] {
      runs_.push_back(std::to_string(reg(32)) + "/" + std::to_string(reg(33)) + "/" +
                      std::to_string(reg(30)) + " lines " + std::to_string(shown().size()));
    };
  }
  std::int32_t& reg(int n) { return world().reg[n]; }
  void Say(const std::string& text) { game().EnterSentence(text); }
  const std::string& status() { return game().output().status(); }
  void Marked(const std::string& name) { WriteScript(name, {"pausa", "msg# " + name}); }

  Strings runs_;
};

TEST_F(ParserTest, LookupsAndTheEcho) {
  Marked("05000000");  // PEGUE's general script
  // A verb matches anywhere in a line, a word only where a synonym starts.
  Say("xami chave");
  EXPECT_EQ(status(), "] XAMINE CHAVE");
  EXPECT_EQ(reg(31), 6);
  EXPECT_EQ(reg(32), 2);
  Say("peg lamp");
  EXPECT_EQ(status(), "] PEGUE LAMPADA");
  EXPECT_EQ(reg(32), 1);
  // "CAVA" first occurs inside ESCAVADEIRA, so that line is passed over for CAVALO.
  Say("pegue cava");
  EXPECT_EQ(status(), "] PEGUE CAVALO");
  EXPECT_EQ(reg(32), 6);
  // Ignored words and every piece of them are skipped but echoed.
  Say("o pegue a uma chave um");
  EXPECT_EQ(status(), "]  OPEGUE A UMA CHAVE UM");
  EXPECT_EQ(reg(32), 2);
  // Lower-case accented letters are raised; controls become blanks.
  world().word_list.Append("MA\xC7\xC3");
  Say("pegue\t\x01ma\xE7\xE3");
  EXPECT_EQ(status(), "] PEGUE MA\xC7\xC3");
  EXPECT_EQ(reg(32), 8);
}

TEST_F(ParserTest, ScriptSelection) {
  Marked("05002000");
  Marked("05000000");
  Marked("07000000");
  Marked("06002001");
  Say("pegue chave");  // its own script
  Say("pegue bau");    // no own script: the general one, which learns the object in Reg[30]
  Say("examine chave lanterna");
  Say("abra xyz");  // unknown first object: the general script with no object
  EXPECT_EQ(runs_, (Strings{"2/0/0 lines 0", "3/0/3 lines 0", "2/1/3 lines 0", "0/0/3 lines 0"}));
  // A word of no object never falls back on the general script.
  Say("pegue porta");
  EXPECT_EQ(shown(), Strings{"Nao pode."});
  EXPECT_EQ(reg(30), 0);
  // No script at all: message 2 with an object, message 1 without.
  Say("examine bau");
  EXPECT_EQ(shown(), Strings{"Nao pode."});
  Say("examine");
  EXPECT_EQ(shown(), Strings{"Nao entendi."});
  Say("voe");
  EXPECT_EQ(status(), "] ");
  EXPECT_EQ(shown(), Strings{"Nao entendi."});
  // Replies from a message table without those lines are empty messages.
  world().message_list.Clear();
  Say("voe");
  EXPECT_EQ(shown(), Strings{""});
  EXPECT_EQ(runs_.size(), 4u);
}

TEST_F(ParserTest, ListSentences) {
  Marked("05000000");
  // Five further objects at most; each gets its own run in an emptied window.
  Say("pegue lanterna,chave, bau,moeda,lanterna,chave,bau");
  EXPECT_EQ(status(), "] PEGUE LANTERNA CHAVE BAU MOEDA LANTERNA CHAVE");
  EXPECT_EQ(runs_, (Strings{"1/0/1 lines 0", "2/0/2 lines 0", "3/0/3 lines 0", "7/0/4 lines 0",
                            "1/0/1 lines 0", "2/0/2 lines 0"}));
  EXPECT_EQ(shown(), Strings{"05000000"});
  // A word of no object stops the list with message 2; the rest is dropped.
  runs_.clear();
  Say("pegue chave,porta,bau");
  EXPECT_EQ(runs_, Strings{"2/0/2 lines 0"});
  EXPECT_EQ(shown(), Strings{"Nao pode."});
  // " E " marks a list too (here with E among the ignored words).
  world().ignored_words.Assign({"A:O:UM:UMA:E"});
  runs_.clear();
  Say("pegue chave E moeda");
  EXPECT_EQ(runs_, (Strings{"2/0/2 lines 0", "7/0/4 lines 0"}));
  EXPECT_EQ(reg(34), 7);
  EXPECT_EQ(reg(35), 0);
}

TEST_F(ParserTest, PronounSentences) {
  Marked("05000000");
  // Before any word was matched the pronoun stands for nothing; the echo shows line 0 after
  // the ignored words read with the token.
  Say("pegue-a");
  EXPECT_EQ(status(), "] PEGUE A LANTERNA:LAMPADA");
  EXPECT_EQ(reg(32), 0);
  Say("pegue moeda");
  Say("pegue-a lanterna");
  EXPECT_EQ(status(), "] PEGUE A MOEDA LANTERNA");
  EXPECT_EQ(reg(32), 7);
  EXPECT_EQ(reg(33), 1);
  // The referent stays when the word list gets shorter; the echo then adds nothing.
  Say("pegue moeda");
  world().word_list.Assign({"LANTERNA"});
  Say("pegue-o");
  EXPECT_EQ(status(), "] PEGUE O");
  EXPECT_EQ(reg(32), 7);
  world().word_list.Clear();
  world().verb_list.Assign({"PEGUE"});
  Say("-");
  EXPECT_EQ(status(), "] ");
  EXPECT_EQ(shown(), Strings{"Nao entendi."});
  Say("pegue-");
  EXPECT_EQ(status(), "] PEGUE");
}

TEST_F(ParserTest, Directions) {
  WriteScript("sala", {"norte= jardim", "leste= porao"});
  WriteScript("jardim", {"msg= no jardim"});
  WriteScript("porao", {"msg= no porao"});
  WriteScript("01000000", {"pausa"});
  Exec("irpara sala");
  // List separators change nothing: the move, then only the direction's script.
  Say("norte, sul E leste");
  EXPECT_EQ(world().local, "jardim");
  EXPECT_EQ(runs_.size(), 1u);
  EXPECT_EQ(status(), "] NORTE");
  EXPECT_EQ(reg(31), 1);
  // An exit without a direction script: the move happens, then message 3.
  Exec("irpara sala");
  Say("l");
  EXPECT_EQ(world().local, "porao");
  EXPECT_EQ(shown(), Strings{"Sem saida."});
  Say("sul");  // no exit: no move
  EXPECT_EQ(world().local, "porao");
  EXPECT_EQ(shown(), Strings{"Sem saida."});
  // The verb's low seven bits pick the direction.
  world().verb_list.Assign(Strings(130, "X"));
  world().verb_list.Set(128, "SALTE");
  Say("salte");
  EXPECT_EQ(reg(31), 129);
  EXPECT_EQ(runs_.size(), 2u);
}

TEST_F(ParserTest, EmptySentenceAndCounters) {
  WriteScript("sala", {"pausa"});
  WriteScript("fim8", {"msg= contagem"});
  Exec("local= sala");
  game().ShowPage(BookPage::Web);
  Say("");
  EXPECT_EQ(status(), "] ");
  EXPECT_EQ(game().page(), BookPage::Screen);
  EXPECT_EQ(runs_.size(), 1u);
  EXPECT_EQ(reg(16), 1);
  EXPECT_EQ(reg(19), 1);
  // Blanks are not empty: an unknown verb.
  Say("   ");
  EXPECT_EQ(shown(), Strings{"Nao entendi."});
  EXPECT_EQ(runs_.size(), 1u);
  // Reg[7] counts up while set, Reg[8] down; when it reaches 0 nothing is parsed.
  reg(7) = 1;
  reg(8) = 2;
  world().fncdef[2] = "fim8";
  Say("pegue chave");
  EXPECT_EQ(reg(8), 1);
  EXPECT_EQ(reg(7), 2);
  Say("pegue chave");
  EXPECT_EQ(game().frase, "pegue chave");
  EXPECT_EQ(shown(), Strings{"contagem"});
  EXPECT_EQ(status(), "] PEGUE CHAVE");
  EXPECT_EQ(reg(8), 0);
  EXPECT_EQ(reg(19), 4);
  reg(19) = INT32_MAX;
  Say("");
  EXPECT_EQ(reg(19), INT32_MIN);
}

TEST_F(ParserTest, BadInputNeverCrashes) {
  const std::string long_sentence = "pegue " + std::string(10000, 'x');
  for (const std::string& text :
       {long_sentence, std::string(",,,"), std::string(" E E "), std::string("\x01\x02\x1F\x7F"),
        std::string("pegue@chave"), std::string("pegue chave - -,, E")}) {
    Say(text);
    EXPECT_EQ(shown().size(), 1u) << text.substr(0, 20);
  }
  EXPECT_EQ(shown(), Strings{"Nao entendi."});
  // A leading end mark reads as an empty sentence.
  Say("@pegue chave");
  EXPECT_EQ(status(), "] ");
  EXPECT_TRUE(shown().empty());
  // With no vocabulary at all every sentence is an unknown verb.
  world().verb_list.Clear();
  world().word_list.Clear();
  Say("pegue chave");
  EXPECT_EQ(shown(), Strings{"Nao entendi."});
  EXPECT_TRUE(host_.errors.empty());
}

TEST_F(ParserTest, SentenceEnteredDuringAWait) {
  WriteScript("05000000", {"pausa", "msg# fim", "msg+ %32"});
  bool nested = false;
  host_.on_pump = [&] {
    if (nested) return;
    nested = true;
    Say("examine bau, moeda");
  };
  Say("pegue lanterna, chave");
  // The inner sentence ran in full; the outer one went on with the registers it left: its
  // list now holds MOEDA, tried with the inner verb.
  EXPECT_EQ(status(), "] EXAMINE BAU MOEDA");
  EXPECT_EQ(reg(32), 7);
  EXPECT_EQ(shown(), Strings{"Nao pode."});
  EXPECT_TRUE(game().frase.empty());
  EXPECT_TRUE(host_.errors.empty());
}

TEST(ScriptNames, HexadecimalCodes) {
  EXPECT_EQ(CodeScriptName(10, 1, 2), "0A001002");
  EXPECT_EQ(CodeScriptName(10, 0, 0), "0A000000");
  EXPECT_EQ(CodeScriptName(300, 4095, 4096), "12CFFF1000");
  EXPECT_EQ(CodeScriptName(-1, 0, -2), "FFFFFFFF000FFFFFFFE");
  EXPECT_EQ(GeneralScriptName(4), "04000000");
  EXPECT_EQ(GeneralScriptName(255), "FF000000");
}

TEST(VocabularyIndex, AgreesWithTheLineByLineRules) {
  // The second list holds a line break inside a line, which the joined text cannot hold.
  for (LineList list : {LineList({"ABC:XAB", "AB", "QAB:ABD", "", "B:C", "CAB"}),
                        LineList({"ABC:XAB", "C\nAB", "QAB:ABD"})}) {
    VocabularyIndex index;
    for (const char* word : {"AB", "B", "C", "XA", ":", "ABD", "Q", "Z", "C\nAB", "CAB", ""}) {
      const auto a = index.FindAnywhere(list, word);
      const auto b = FindAnywhereByLine(list, word);
      ASSERT_EQ(a.has_value(), b.has_value()) << word;
      if (a) EXPECT_EQ(std::pair(a->line, a->synonym), std::pair(b->line, b->synonym)) << word;
      const auto c = index.FindAtSynonymStart(list, word);
      const auto d = FindAtSynonymStartByLine(list, word);
      ASSERT_EQ(c.has_value(), d.has_value()) << word;
      if (c) EXPECT_EQ(std::pair(c->line, c->synonym), std::pair(d->line, d->synonym)) << word;
    }
  }
  LineList list({"ABC:XAB", "AB", "QAB:ABD", "", "B:C"});
  EXPECT_EQ(FindAtSynonymStartByLine(list, "B")->line, 4);
  EXPECT_EQ(FindAnywhereByLine(list, "B")->synonym, "BC");
  // The index follows changes of the list.
  VocabularyIndex index;
  EXPECT_EQ(index.FindAtSynonymStart(list, "AB")->synonym, "ABC");
  list.Set(0, "ZZ");
  EXPECT_EQ(index.FindAtSynonymStart(list, "AB")->line, 1);
}

}  // namespace
}  // namespace zunk::testing

// The sentence parser over a small vocabulary: lookups and the echo, script selection and
// its fallbacks, list and pronoun sentences, directions, counters, bad input, a sentence
// entered while another one's script waits, script names and the lookup index.
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
              "NORTE:N\nLESTE:L\nSUL:S\nOESTE\nPEGUE:PEGAR:APANHE\nEXAMINE:OLHE\nABRA\n");
    WriteFile("teste.plr",
              "LANTERNA:LAMPADA\nCHAVE\nBAU:ARCA\nPORTA\nESCAVADEIRA:CAVADEIRA\nCAVALO\nMOEDA\n");
    WriteFile("teste.msg", "zero\nNao entendi.\nNao pode.\nSem saida.\n");
    // Objects 1 to 4; PORTA is a word of no object.
    std::string objects;
    for (const char* word : {"LANTERNA:LAMPADA", "CHAVE", "BAU:ARCA", "MOEDA"}) {
      objects += std::string(word) + "\nd\nsala\n........\n1\n1\n\n\n\n\n";
    }
    WriteFile("teste.obj", objects);
    Start();
    // The scripts under test pause once; the pump records Reg[32]/Reg[33]/Reg[30] and the
    // number of message lines the script found.
    host_.on_pump = [this] {
      runs_.push_back(Codes(32, 33, 30) + " lines " + std::to_string(shown().size()));
    };
  }
  std::int32_t& reg(int n) { return world().reg[n]; }
  std::string Codes(int a, int b, int c) {
    return std::to_string(reg(a)) + "/" + std::to_string(reg(b)) + "/" + std::to_string(reg(c));
  }
  // Enters a sentence; gives the status line, Reg[31..33] and the message lines.
  std::string Turn(const std::string& text) {
    game().EnterSentence(text);
    std::string out = game().output().status() + " " + Codes(31, 32, 33);
    for (const std::string& line : shown()) out += " |" + line;
    return out;
  }
  void Marked(const std::string& name) { WriteScript(name, {"pausa", "msg# " + name}); }

  Strings runs_;
};

TEST_F(ParserTest, LookupsAndTheEcho) {
  // A verb matches anywhere in a line, a word only where a synonym starts; "CAVA" first
  // occurs inside ESCAVADEIRA, so that line is passed over for CAVALO.
  EXPECT_EQ(Turn("xami chave"), "] XAMINE CHAVE 6/2/0 |Nao pode.");
  EXPECT_EQ(Turn("lhe lamp"), "] LHE LAMPADA 6/1/0 |Nao pode.");
  EXPECT_EQ(Turn("abra cava"), "] ABRA CAVALO 7/6/0 |Nao pode.");
  // Ignored words, and every piece of them, are skipped but echoed.
  EXPECT_EQ(Turn("o pegue a uma chave um"), "]  OPEGUE A UMA CHAVE UM 5/2/0 |Nao pode.");
  // Lower-case accented letters are raised; controls become blanks.
  world().word_list.Append("MA\xC7\xC3");
  EXPECT_EQ(Turn("pegue\t\x01ma\xE7\xE3 moeda"), "] PEGUE MA\xC7\xC3 MOEDA 5/8/7 |Nao pode.");
}

TEST_F(ParserTest, ScriptSelection) {
  for (const char* name : {"05002000", "05000000", "07000000", "06002001"}) Marked(name);
  game().EnterSentence("pegue chave");  // its own script
  game().EnterSentence("pegue bau");    // the general one, which finds the object in Reg[30]
  game().EnterSentence("examine chave lanterna");
  game().EnterSentence("abra xyz");  // unknown first object: the general script
  EXPECT_EQ(runs_, (Strings{"2/0/0 lines 0", "3/0/3 lines 0", "2/1/3 lines 0", "0/0/3 lines 0"}));
  // A word of no object never falls back on the general script.
  EXPECT_EQ(Turn("pegue porta"), "] PEGUE PORTA 5/4/0 |Nao pode.");
  // No script at all: message 2 with an object, 1 without; an unknown verb: message 1.
  EXPECT_EQ(Turn("examine bau"), "] EXAMINE BAU 6/3/0 |Nao pode.");
  EXPECT_EQ(Turn("examine"), "] EXAMINE 6/0/0 |Nao entendi.");
  EXPECT_EQ(Turn("voe"), "]  6/0/0 |Nao entendi.");
  // Without those message lines the replies are empty messages.
  world().message_list.Clear();
  EXPECT_EQ(Turn("voe"), "]  6/0/0 |");
  EXPECT_EQ(runs_.size(), 4u);
}

TEST_F(ParserTest, ListSentences) {
  Marked("05000000");
  // Five further objects at most; each gets its own run in an emptied window.
  EXPECT_EQ(Turn("pegue lanterna,chave, bau,moeda,lanterna,chave,bau"),
            "] PEGUE LANTERNA CHAVE BAU MOEDA LANTERNA CHAVE 5/2/0 |05000000");
  EXPECT_EQ(runs_, (Strings{"1/0/1 lines 0", "2/0/2 lines 0", "3/0/3 lines 0", "7/0/4 lines 0",
                            "1/0/1 lines 0", "2/0/2 lines 0"}));
  // A word of no object stops the list with message 2; the rest is dropped.
  runs_.clear();
  EXPECT_EQ(Turn("pegue chave,porta,bau"), "] PEGUE CHAVE PORTA BAU 5/4/0 |Nao pode.");
  EXPECT_EQ(runs_, Strings{"2/0/2 lines 0"});
  // " E " marks a list too (here with E among the ignored words).
  world().ignored_words.Assign({"A:O:UM:UMA:E"});
  runs_.clear();
  game().EnterSentence("pegue chave E moeda");
  EXPECT_EQ(runs_, (Strings{"2/0/2 lines 0", "7/0/4 lines 0"}));
  EXPECT_EQ(Codes(34, 35, 38), "7/0/0");
}

TEST_F(ParserTest, PronounSentences) {
  Marked("05000000");
  // Before any word was matched the pronoun stands for nothing and the echo shows line 0,
  // after the ignored words read with the token.
  EXPECT_EQ(Turn("pegue-a"), "] PEGUE A LANTERNA:LAMPADA 5/0/0 |05000000");
  game().EnterSentence("pegue moeda");
  EXPECT_EQ(Turn("pegue-a lanterna"), "] PEGUE A MOEDA LANTERNA 5/7/1 |05000000");
  // The referent stays when the word list gets shorter (now a word of no object); the echo
  // then adds nothing.
  game().EnterSentence("pegue moeda");
  world().word_list.Assign({"LANTERNA"});
  EXPECT_EQ(Turn("pegue-o"), "] PEGUE O 5/7/0 |Nao pode.");
  world().word_list.Clear();
  EXPECT_EQ(Turn("pegue-"), "] PEGUE 5/7/0 |Nao pode.");
  EXPECT_EQ(Turn("-"), "]  5/7/0 |Nao entendi.");
}

TEST_F(ParserTest, Directions) {
  WriteScript("sala", {"norte= jardim", "leste= porao"});
  WriteScript("jardim", {"msg= no jardim"});
  WriteScript("01000000", {"pausa"});
  Exec("irpara sala");
  // List separators change nothing: the move, then only the direction's script.
  EXPECT_EQ(Turn("norte, sul E leste"), "] NORTE 1/0/0 |no jardim");
  EXPECT_EQ(std::pair(world().local, runs_.size()), std::pair(std::string("jardim"), 1ul));
  // An exit without a direction script: the move, then message 3; no exit: no move.
  Exec("irpara sala");
  EXPECT_EQ(Turn("l"), "] LESTE 2/0/0 |Sem saida.");
  EXPECT_EQ(world().local, "porao");
  EXPECT_EQ(Turn("sul"), "] SUL 3/0/0 |Sem saida.");
  EXPECT_EQ(world().local, "porao");
  // The verb's low seven bits pick the direction.
  world().verb_list.Assign(Strings(130, "X"));
  world().verb_list.Set(128, "SALTE");
  EXPECT_EQ(Turn("salte"), "] SALTE 129/0/0");
  EXPECT_EQ(runs_.size(), 2u);
}

TEST_F(ParserTest, EmptySentenceAndCounters) {
  WriteScript("sala", {"pausa"});
  WriteScript("fim8", {"msg= contagem"});
  Exec("local= sala");
  game().ShowPage(BookPage::Web);
  // Nothing typed: the location again, on the picture screen. Blanks: an unknown verb.
  EXPECT_EQ(Turn(""), "]  0/0/0");
  EXPECT_EQ(std::pair(game().page(), runs_.size()), std::pair(BookPage::Screen, 1ul));
  EXPECT_EQ(Turn("   "), "]  0/0/0 |Nao entendi.");
  EXPECT_EQ(runs_.size(), 1u);
  // Reg[7] counts up while set, Reg[8] down; when it reaches 0 nothing is parsed.
  reg(7) = 1;
  reg(8) = 2;
  world().fncdef[2] = "fim8";
  game().EnterSentence("pegue chave");
  EXPECT_EQ(Codes(7, 8, 19), "2/1/3");
  EXPECT_EQ(Turn("pegue chave"), "] PEGUE CHAVE 5/2/0 |contagem");
  EXPECT_EQ(game().frase, "pegue chave");
  EXPECT_EQ(Codes(7, 8, 19), "3/0/4");
  reg(19) = INT32_MAX;
  game().EnterSentence("");
  EXPECT_EQ(reg(19), INT32_MIN);
}

TEST_F(ParserTest, BadInputNeverCrashes) {
  const std::string long_sentence = "pegue " + std::string(10000, 'x');
  for (const std::string& text :
       {long_sentence, std::string(",,,"), std::string(" E E "), std::string("\x01\x02\x1F\x7F"),
        std::string("pegue@chave"), std::string("pegue chave - -,, E")}) {
    game().EnterSentence(text);
    EXPECT_EQ(shown().size(), 1u) << text.substr(0, 20);
  }
  EXPECT_EQ(Turn("@pegue chave"), "]  5/0/2");  // a leading end mark: nothing typed
  world().verb_list.Clear();
  world().word_list.Clear();
  EXPECT_EQ(Turn("pegue chave"), "]  5/0/2 |Nao entendi.");
  EXPECT_TRUE(host_.errors.empty());
}

TEST_F(ParserTest, SentenceEnteredDuringAWait) {
  WriteScript("05000000", {"pausa", "msg# fim", "msg+ %32"});
  bool nested = false;
  host_.on_pump = [&] {
    if (!nested) game().EnterSentence("examine bau, moeda");
    nested = true;
  };
  // The inner sentence runs in full; the outer one goes on with the registers it left: its
  // list now holds MOEDA, tried with the inner verb.
  EXPECT_EQ(Turn("pegue lanterna, chave"), "] EXAMINE BAU MOEDA 6/7/0 |Nao pode.");
  EXPECT_TRUE(game().frase.empty());
  EXPECT_TRUE(host_.errors.empty());
}

TEST(ScriptNames, HexadecimalCodes) {
  EXPECT_EQ(CodeScriptName(10, 1, 2) + " " + CodeScriptName(10, 0, 0), "0A001002 0A000000");
  EXPECT_EQ(CodeScriptName(300, 4095, 4096), "12CFFF1000");
  EXPECT_EQ(CodeScriptName(-1, 0, -2), "FFFFFFFF000FFFFFFFE");
  EXPECT_EQ(GeneralScriptName(4) + " " + GeneralScriptName(255), "04000000 FF000000");
}

TEST(VocabularyIndex, AgreesWithTheLineByLineRules) {
  // The second list has a line break inside a line, which the joined text cannot hold.
  for (LineList list : {LineList({"ABC:XAB", "AB", "QAB:ABD", "", "B:C", "CAB"}),
                        LineList({"ABC:XAB", "C\nAB", "QAB:ABD"})}) {
    VocabularyIndex index;
    for (const char* word : {"AB", "B", "C", "XA", ":", "ABD", "Q", "Z", "C\nAB", "CAB", ""}) {
      auto same = [&](auto a, auto b) {
        ASSERT_EQ(a.has_value(), b.has_value()) << word;
        if (a) {
          EXPECT_EQ(std::pair(a->line, a->synonym), std::pair(b->line, b->synonym)) << word;
        }
      };
      same(index.FindAnywhere(list, word), FindAnywhereByLine(list, word));
      same(index.FindAtSynonymStart(list, word), FindAtSynonymStartByLine(list, word));
    }
  }
  // The index follows changes of the list.
  LineList list({"ABC:XAB", "AB"});
  VocabularyIndex index;
  EXPECT_EQ(index.FindAtSynonymStart(list, "AB")->synonym, "ABC");
  list.Set(0, "ZZ");
  EXPECT_EQ(index.FindAtSynonymStart(list, "AB")->line, 1);
}

}  // namespace
}  // namespace zunk::testing

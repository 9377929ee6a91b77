// The sentence parser over a small vocabulary: lookups, echo, script choice, lists, pronouns,
// directions, counters, bad input, nested sentences, script names and the lookup index.
#include <cstdint>
#include <random>

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
    std::string objects;  // objects 1 to 4; PORTA is a word of no object
    for (const char* word : {"LANTERNA:LAMPADA", "CHAVE", "BAU:ARCA", "MOEDA"}) {
      objects += std::string(word) + "\nd\nsala\n........\n1\n1\n\n\n\n\n";
    }
    WriteFile("teste.obj", objects);
    Start();
    // Each pause records Reg[32]/Reg[33]/Reg[30] and how many message lines the script found.
    host_.on_pump = [this] { runs_.push_back(Codes(32, 33, 30) + " " + Count(shown())); };
  }
  std::int32_t& reg(int n) { return world().reg[n]; }
  std::string Codes(int a, int b, int c) {
    return std::to_string(reg(a)) + "/" + std::to_string(reg(b)) + "/" + std::to_string(reg(c));
  }
  static std::string Count(const Strings& lines) { return std::to_string(lines.size()); }
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

TEST_F(ParserTest, LookupsEchoAndScriptSelection) {
  // A verb matches anywhere, a word only at a synonym start (CAVA lies inside ESCAVADEIRA).
  EXPECT_EQ(Turn("xami chave"), "] XAMINE CHAVE 6/2/0 |Nao pode.");
  EXPECT_EQ(Turn("lhe lamp"), "] LHE LAMPADA 6/1/0 |Nao pode.");
  EXPECT_EQ(Turn("abra cava"), "] ABRA CAVALO 7/6/0 |Nao pode.");
  // Ignored words are skipped but echoed; accented letters are raised, controls become blanks.
  EXPECT_EQ(Turn("o pegue a uma chave um"), "]  OPEGUE A UMA CHAVE UM 5/2/0 |Nao pode.");
  world().word_list.Append("MA\xC7\xC3");
  EXPECT_EQ(Turn("pegue\t\x01ma\xE7\xE3 moeda"), "] PEGUE MA\xC7\xC3 MOEDA 5/8/7 |Nao pode.");

  // Its own script, else the general one (the object in Reg[30]), also for an unknown object.
  for (const char* name : {"05002000", "05000000", "07000000", "06002001"}) Marked(name);
  for (const char* text : {"pegue chave", "pegue bau", "examine chave lanterna", "abra xyz"})
    game().EnterSentence(text);
  EXPECT_EQ(runs_, (Strings{"2/0/0 0", "3/0/3 0", "2/1/3 0", "0/0/3 0"}));
  // A word of no object never falls back on the general script. No script at all: message 2
  // with an object, 1 without and for an unknown verb; empty without those message lines.
  EXPECT_EQ(Turn("pegue porta"), "] PEGUE PORTA 5/4/0 |Nao pode.");
  EXPECT_EQ(Turn("examine bau"), "] EXAMINE BAU 6/3/0 |Nao pode.");
  EXPECT_EQ(Turn("examine"), "] EXAMINE 6/0/0 |Nao entendi.");
  EXPECT_EQ(Turn("voe"), "]  6/0/0 |Nao entendi.");
  world().message_list.Clear();
  EXPECT_EQ(Turn("voe"), "]  6/0/0 |");
  EXPECT_EQ(runs_.size(), 4u);
}

TEST_F(ParserTest, ListSentences) {
  Marked("05000000");
  // Five further objects at most, each run in an emptied window; a word of no object stops
  // the list with message 2; " E " marks a list too (here among the ignored words).
  EXPECT_EQ(Turn("pegue lanterna,chave, bau,moeda,lanterna,chave,bau"),
            "] PEGUE LANTERNA CHAVE BAU MOEDA LANTERNA CHAVE 5/2/0 |05000000");
  EXPECT_EQ(Turn("pegue chave,porta,bau"), "] PEGUE CHAVE PORTA BAU 5/4/0 |Nao pode.");
  world().ignored_words.Assign({"A:O:UM:UMA:E"});
  game().EnterSentence("pegue chave E moeda");
  EXPECT_EQ(runs_, (Strings{"1/0/1 0", "2/0/2 0", "3/0/3 0", "7/0/4 0", "1/0/1 0", "2/0/2 0",
                            "2/0/2 0", "2/0/2 0", "7/0/4 0"}));
  EXPECT_EQ(Codes(34, 35, 38), "7/0/0");

  // A sentence entered while a script waits runs in full; the outer one goes on with the
  // registers it left: its list now holds MOEDA, tried with the inner verb.
  bool nested = false;
  host_.on_pump = [&] {
    if (!nested) game().EnterSentence("examine bau, moeda");
    nested = true;
  };
  EXPECT_EQ(Turn("pegue lanterna, chave"), "] EXAMINE BAU MOEDA 6/7/0 |Nao pode.");
  EXPECT_TRUE(game().frase.empty() && host_.errors.empty());
}

TEST_F(ParserTest, PronounSentences) {
  Marked("05000000");
  // Before any match the pronoun means nothing; the echo shows line 0 after ignored words.
  EXPECT_EQ(Turn("pegue-a"), "] PEGUE A LANTERNA:LAMPADA 5/0/0 |05000000");
  game().EnterSentence("pegue moeda");
  EXPECT_EQ(Turn("pegue-a lanterna"), "] PEGUE A MOEDA LANTERNA 5/7/1 |05000000");
  // The referent stays when the word list shrinks (now no object); the echo then adds nothing.
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
  auto go = [&](const std::string& text) {
    const std::string turn = Turn(text);
    return turn + " @" + world().local + " #" + Count(runs_);
  };
  // Separators change nothing: the move, then only the direction's script. An exit without
  // a direction script: the move, then message 3; no exit: no move.
  Exec("irpara sala");
  EXPECT_EQ(go("norte, sul E leste"), "] NORTE 1/0/0 |no jardim @jardim #1");
  Exec("irpara sala");
  EXPECT_EQ(go("l"), "] LESTE 2/0/0 |Sem saida. @porao #1");
  EXPECT_EQ(go("sul"), "] SUL 3/0/0 |Sem saida. @porao #1");
  // The verb's low seven bits pick the direction.
  world().verb_list.Assign(Strings(130, "X"));
  world().verb_list.Set(128, "SALTE");
  EXPECT_EQ(go("salte"), "] SALTE 129/0/0 @porao #2");
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
  EXPECT_EQ(Codes(7, 8, 19), "3/0/4");
  EXPECT_EQ(game().frase, "pegue chave");
  reg(19) = INT32_MAX;
  game().EnterSentence("");
  EXPECT_EQ(reg(19), INT32_MIN);
}

TEST_F(ParserTest, BadInputNeverCrashes) {
  for (const std::string& text : {"pegue " + std::string(10000, 'x'), std::string(",,,"),
                                  std::string(" E E "), std::string("\x01\x02\x1F\x7F"),
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

TEST_F(ParserTest, LookupsFollowTheListsAsTheyChange) {
  EXPECT_EQ(Turn("pegue vaso"), "] PEGUE 5/0/0 |Nao entendi.");
  RunLines({"crie VASO"});  // a new object, and its word joins the list
  EXPECT_EQ(Turn("pegue vaso"), "] PEGUE VASO 5/8/0 |Nao pode.");
  world().word_list.Set(1, "CHAVEIRO");
  EXPECT_EQ(Turn("pegue chave"), "] PEGUE CHAVEIRO 5/2/0 |Nao pode.");
  WriteFile("teste.plr", "VASO\nMESA\nCHAVE\n");
  WriteFile("teste.vrb", "NORTE\nLESTE\nSUL\nOESTE\nABRA\nSEGURE:PEGUE\n");
  RunLines({"restart"});
  EXPECT_EQ(Turn("pegue chave"), "] PEGUE CHAVE 6/3/0 |Nao pode.");
}

// The same random sentences parsed with the index and with the line-by-line rules (which the
// parser uses for a list whose lines cannot be joined: here a last line of a bare line end,
// which no typed word can reach) give the same registers, status line, messages, runs and
// last word. Each block of sentences has enough new words for the index to sort the lists.
TEST_F(ParserTest, SortedLookupsParseAsTheLineByLineRules) {
  for (const char* name : {"05002000", "05000000", "07000000", "06002001", "05001000"}) {
    Marked(name);
  }
  world().word_list.Append(
      "PE:\xC7"
      "A:CHAVE:");
  static const char* const kPieces[] = {"PEG",
                                        "PEGUE",
                                        "A",
                                        "E",
                                        ",",
                                        "-",
                                        "CHAVE",
                                        "CHA",
                                        "LAMP",
                                        "ARCA",
                                        "CAVA",
                                        "ESCAV",
                                        "MOEDA",
                                        "XYZ",
                                        "O",
                                        "N",
                                        "S",
                                        "AB",
                                        "ABRA",
                                        "EXAM",
                                        "OLHE",
                                        "LHE",
                                        "VALO",
                                        "\xE7"
                                        "a",
                                        "PE",
                                        ":",
                                        "UM",
                                        "BAU",
                                        "PORTA",
                                        "ORTA",
                                        "@",
                                        "",
                                        "MOED",
                                        "ANTERNA"};
  std::mt19937 random(2026);
  auto parse_all = [&](const Strings& sentences, bool line_by_line) {
    for (LineList* list : {&world().verb_list, &world().word_list}) {
      const bool broken = list->Get(list->Count() - 1) == "\n";
      if (broken && !line_by_line) list->Delete(list->Count() - 1);
      if (!broken && line_by_line) list->Append("\n");
    }
    Strings outs;
    for (const std::string& sentence : sentences) {
      runs_.clear();
      game().EnterSentence(sentence);
      std::string out = game().output().status();
      for (int r = 30; r <= 38; ++r) out += " " + std::to_string(reg(r));
      for (const std::string& line : shown()) out += " |" + line;
      for (const std::string& run : runs_) out += " >" + run;
      outs.push_back(out + " " + std::to_string(game().parser().last_word_index));
    }
    return outs;
  };
  for (int block = 0; block < 3; ++block) {
    Strings sentences(1000);
    for (std::string& sentence : sentences) {
      for (int words = 1 + static_cast<int>(random() % 6); words > 0; --words) {
        // A piece, or any part of a verb or word line.
        const LineList& list = random() % 2 ? world().verb_list : world().word_list;
        const std::string& line = list.Get(static_cast<int>(random() % list.Count()));
        if (random() % 2 && !line.empty() && line != "\n") {
          sentence += line.substr(random() % line.size(), 1 + random() % 6);
          // Now and then a word never seen, so that the lists get sorted.
          if (random() % 2) sentence += static_cast<char>('A' + random() % 26);
        } else {
          sentence += kPieces[random() % std::size(kPieces)];
        }
        if (random() % 3) sentence += ' ';
      }
    }
    // Both runs start from the same registers and parser state.
    const auto registers = world().reg;
    const std::int32_t referent = game().parser().pronoun_referent;
    const std::int32_t last_word = game().parser().last_word_index;
    const Strings by_line = parse_all(sentences, true);
    world().reg = registers;
    game().parser().pronoun_referent = referent;
    game().parser().last_word_index = last_word;
    const Strings sorted = parse_all(sentences, false);
    for (std::size_t i = 0; i < sentences.size(); ++i) {
      ASSERT_EQ(sorted[i], by_line[i]) << sentences[i];
    }
  }
}

TEST(ScriptNames, HexadecimalCodes) {
  EXPECT_EQ(CodeScriptName(10, 1, 2) + " " + CodeScriptName(10, 0, 0) + " " +
                CodeScriptName(300, 4095, 4096) + " " + CodeScriptName(-1, 0, -2),
            "0A001002 0A000000 12CFFF1000 FFFFFFFF000FFFFFFFE");
  EXPECT_EQ(GeneralScriptName(4) + " " + GeneralScriptName(255), "04000000 FF000000");
}

TEST(VocabularyIndex, AgreesWithTheLineByLineRules) {
  auto show = [](std::optional<VocabularyMatch> m) {
    return m ? std::to_string(m->line) + ":" + std::string(m->synonym) : "-";
  };
  // The second list has a line break inside a line, which the joined text cannot hold.
  for (LineList list : {LineList({"ABC:XAB", "AB", "QAB:ABD", "", "B:C", "CAB"}),
                        LineList({"ABC:XAB", "C\nAB", "QAB:ABD"})}) {
    VocabularyIndex index;
    for (const char* word : {"AB", "B", "C", "XA", ":", "ABD", "Q", "Z", "C\nAB", "CAB", ""}) {
      EXPECT_EQ(show(index.FindAnywhere(list, word)), show(FindAnywhereByLine(list, word)));
      EXPECT_EQ(show(index.FindAtSynonymStart(list, word)),
                show(FindAtSynonymStartByLine(list, word)));
    }
  }
  // The index follows changes of the list.
  LineList list({"ABC:XAB", "AB"});
  VocabularyIndex index;
  EXPECT_EQ(show(index.FindAtSynonymStart(list, "AB")), "0:ABC");
  list.Set(0, "ZZ");
  EXPECT_EQ(show(index.FindAtSynonymStart(list, "AB")), "1:AB");
}

}  // namespace
}  // namespace zunk::testing

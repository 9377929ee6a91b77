// The demo game: its walkthroughs replayed against approved transcripts (the newcomer's without
// a single "not understood" reply), every word of its vocabulary reaching its own line as typed,
// and the built folder checked for names (labels, scripts, pictures, messages, object words and
// the objects scripts name) that would break in play.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <regex>
#include <set>
#include <tuple>

#include "game/world/line_list.h"
#include "game/world/sentence_text.h"
#include "platform/cp1252.h"
#include "script/operands.h"
#include "script/script_codec.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;

// The first n - 1 fields up to a separator, then the rest whole (as script commands split).
std::vector<std::string> Split(std::string args, std::size_t n, char separator = ',') {
  std::vector<std::string> fields;
  for (std::size_t at; fields.size() + 1 < n && (at = args.find(separator)) != std::string::npos;
       args.erase(0, at + 1))
    fields.push_back(args.substr(0, at));
  fields.push_back(args);
  return fields;
}

TEST(DemoGameTest, WalkthroughsMatchTheirApprovedTranscripts) {
  const std::string data = std::string(ZUNK_TEST_DATA_DIR) + "/data/demo_";
  for (const std::string kind : {"", "_clicks", "_night", "_newcomer"}) {
    TempDir copy;  // the player writes the settings file back and the console writes PNGs
    fs::copy(ZUNK_DEMO_DIR, copy.path() / "jogo", fs::copy_options::recursive);
    const std::string command = "cd '" + copy.path().string() + "' && " + ZUNK_RUN_PATH +
                                " jogo --input '" + data + "walkthrough" + kind +
                                ".txt' --expect '" + data + "transcript" + kind +
                                ".expected' > saida.txt 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << kind << ReadBytes(copy.path() / "saida.txt");
  }
}

LineList BuiltDataFile(const std::string& ext) {
  return LineList(SplitLines(ReadBytes(ZUNK_DEMO_DIR "/farol" + ext)));
}

TEST(DemoGameTest, TheNewcomerIsNeverToldTheGameDidNotUnderstand) {
  // The replies for an unknown verb (message 1) and for a known word no script answers
  // (message 2), as the transcript shows them.
  const LineList messages = BuiltDataFile(".msg");
  ASSERT_GT(messages.Count(), 2);
  const std::string transcript =
      ReadBytes(std::string(ZUNK_TEST_DATA_DIR) + "/data/demo_transcript_newcomer.expected");
  ASSERT_GT(std::count(transcript.begin(), transcript.end(), '>'), 40);  // sentences typed
  for (int n : {1, 2}) {
    const std::string reply = "\n| " + Cp1252ToUtf8(messages.Get(n)) + "\n";
    EXPECT_EQ(transcript.find(reply), std::string::npos) << reply;
  }
  for (const char* start : {"| Não entendi", "| Não dá para fazer isso"})
    EXPECT_EQ(transcript.find(start), std::string::npos) << start;
}

// Every synonym of the vocabulary, typed as a player types it, is read as its own line: not
// skipped as (a piece of) an ignored word, not caught by an earlier line that holds it (a verb
// matches anywhere in a line, a word at the start of a synonym).
class DemoVocabularyTest : public GameTest {
 protected:
  void SetUp() override {
    for (const char* ext : {".vrb", ".plr", ".ign", ".msg"})
      WriteFile(std::string("teste") + ext, ReadBytes(ZUNK_DEMO_DIR "/farol" + std::string(ext)));
    Start();
  }
  // The code the parser leaves in the register after the sentence; -1 when it wrote none.
  std::int32_t CodeOf(const std::string& sentence, int reg) {
    world().reg[31] = world().reg[32] = -1;
    game().EnterSentence(sentence);
    return world().reg[reg];
  }
};

TEST_F(DemoVocabularyTest, EverySynonymTypedAloneReachesItsOwnLine) {
  const LineList& verbs = world().verb_list;
  const LineList& words = world().word_list;
  ASSERT_GT(verbs.Count(), 20);
  ASSERT_GT(words.Count(), 30);
  const std::string examine = verbs.Get(7).substr(0, verbs.Get(7).find(':'));
  ASSERT_EQ(examine, "EXAMINE");
  for (const auto& [list, reg, lead] :
       {std::tuple(&verbs, 31, std::string()), std::tuple(&words, 32, examine + " ")}) {
    for (int line = 0; line < list->Count(); ++line) {
      for (const std::string& synonym : Split(list->Get(line), 99, ':')) {
        EXPECT_EQ(CodeOf(lead + synonym, reg), line + 1) << Cp1252ToUtf8(lead + synonym);
      }
    }
  }
  // The abbreviations a newcomer types, and the unaccented forms of accented words.
  EXPECT_EQ(CodeOf("i", 31), 5);  // INVENTÁRIO
  EXPECT_EQ(CodeOf("l", 31), 2);  // LESTE
  EXPECT_EQ(CodeOf("examine o bau", 32), 4);
  EXPECT_EQ(CodeOf("pegue o oleo", 32), 7);
  EXPECT_EQ(CodeOf("pegue os fosforos", 32), 8);
  EXPECT_EQ(CodeOf("desca ao porao", 32), 18);
  EXPECT_EQ(CodeOf("va para o norte", 32), 32);
}

// Commands naming a label (L), script (S) or file (F) in the last of n fields (n - 1 commas).
const std::map<std::string, std::string> kReferences = {
    {"goto", "L1"},   {"se=", "L3"},    {"se#", "L3"},    {"se>", "L3"},    {"se<", "L3"},
    {"ifodnt", "L3"}, {"ifbit", "L3"},  {"loop", "L2"},   {"ifloc=", "L2"}, {"ifloc#", "L2"},
    {"ifoloc", "L2"}, {"ifojog", "L2"}, {"ifoext", "L2"}, {"ifobj1", "L2"}, {"ifobj2", "L2"},
    {"ifarq", "L2"},  {"irpara", "S1"}, {"script", "S1"}, {"norte=", "S1"}, {"sul=", "S1"},
    {"leste=", "S1"}, {"oeste=", "S1"}, {"sgt#", "S2"},   {"fncdef", "S2"}, {"runtime", "S2"},
    {"tela", "F1"},   {"shape", "F3"},  {"frame", "F5"},  {"hud=", "F3"},   {"bufx", "F2"},
    {"link", "?8"}};  // link n,x,y,w,h,cursor,action,argument

// Commands naming objects: how many fields they split into, and which of them are objects.
const std::map<std::string, std::pair<std::size_t, std::vector<std::size_t>>> kObjectFields = {
    {"ifoloc", {2, {0}}},    {"ifojog", {2, {0}}}, {"ifoext", {2, {0}}}, {"ifobj1", {2, {0}}},
    {"ifobj2", {2, {0}}},    {"ifodnt", {3, {0, 1}}}, {"ifbit", {3, {1}}}, {"setbit", {2, {1}}},
    {"resbit", {2, {1}}},    {"x_peg", {1, {0}}},  {"x_slt", {1, {0}}},  {"x_poe", {2, {0, 1}}},
    {"pega", {1, {0}}},      {"solta", {1, {0}}},  {"posobj", {2, {0}}}, {"defobj", {3, {0}}}};

TEST(DemoGameTest, EverythingTheBuiltFolderNamesExists) {
  // The folder read as the game reads it: scripts (CP1252 lines by entry name) and data files.
  std::map<std::string, std::vector<std::string>> scripts;
  std::set<std::string> files;
  for (const auto& entry : fs::directory_iterator(ZUNK_DEMO_DIR)) {
    files.insert(entry.path().filename().string());
    if (entry.path().extension() == kScriptExt)
      scripts[entry.path().stem().string()] = DecodeScript(ReadBytes(entry.path())).lines;
  }
  ASSERT_GT(scripts.size(), 30u);
  const auto has_file = [&](const std::string& name) { return files.count(Cp1252ToUtf8(name)); };
  const auto data = [](std::string ext) {
    return LineList(SplitLines(ReadBytes(ZUNK_DEMO_DIR "/farol" + ext)));
  };
  const LineList words = data(".plr"), verbs = data(".vrb"), objects = data(".obj");
  const int messages = data(".msg").Count();
  // An object operand is the sentence's object, a record number, a named register or a word
  // that some record has as its whole word line (compared as the game compares it).
  std::set<std::string> object_names = {"obj1", "obj2"};
  for (int i = 0; i < objects.Count(); i += 10) object_names.insert(objects.Get(i));
  for (const auto& [name, lines] : scripts)
    for (const std::string& line : lines)
      if (line.rfind("def ", 0) == 0) object_names.insert(Split(line, 2).back());
  const auto names_object = [&](const std::string& field) {
    const std::string text(field.substr(std::min(field.find_first_not_of(' '), field.size())));
    return (!text.empty() && text[0] >= '0' && text[0] <= '9') || object_names.count(text) ||
           object_names.count(RaiseSentenceText(text));
  };
  std::vector<std::string> faults;
  for (const auto& [name, lines] : scripts) {
    const std::set<std::string> labels(lines.begin(), lines.end());
    for (const std::string& line : lines) {
      const std::size_t blank = std::min(line.find(' '), line.size());
      const std::string word = line.substr(0, blank);
      const std::string args = line.substr(std::min(blank + 1, line.size()));
      const std::int32_t message =
          word == "msg+" && args[0] == '$' ? ParseDecimal(args.substr(1)).value_or(-1) : 0;
      bool ok = message >= 0 && message < messages;
      if (const auto it = kReferences.find(word); it != kReferences.end()) {
        char kind = it->second[0];
        const std::size_t n = it->second[1] - '0';
        const auto fields = Split(args, n);
        std::string target(TrimBlanks(fields.back()));
        if (kind == '?' && fields.size() == n) {
          const int action = ParseDecimal(fields[6]).value_or(0);
          kind = action == 1 || action == 3 ? 'S' : action == 4 ? 'F' : action == 5 ? 'L' : '?';
        }
        if (kind == 'L' && target[0] != ':') target = ":" + target;
        ok = target == "off" || (kind == 'S' && target.find(':') != std::string::npos) ||
             (fields.size() == n && (kind == 'L'   ? labels.count(target) != 0
                                     : kind == 'S' ? scripts.count(target) != 0
                                                   : kind != 'F' || has_file(target)));
      }
      if (const auto it = kObjectFields.find(word); it != kObjectFields.end()) {
        const auto fields = Split(args, it->second.first);
        for (std::size_t field : it->second.second)
          ok = ok && field < fields.size() && names_object(fields[field]);
      }
      if (!ok) faults.push_back(Cp1252ToUtf8(name + ": " + line));
    }
  }
  EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
  ASSERT_EQ(objects.Count() % 10, 0);
  std::set<std::string> places;  // locations and containers
  for (const auto& [name, lines] : scripts) places.insert(name);
  for (int i = 0; i < objects.Count(); i += 10) places.insert(objects.Get(i));
  for (int i = 0; i < objects.Count(); i += 10) {
    SCOPED_TRACE(Cp1252ToUtf8(objects.Get(i)));
    // A sentence reaches an object only when its word is a whole line of the word list.
    EXPECT_TRUE(std::count(words.lines().begin(), words.lines().end(), objects.Get(i)));
    EXPECT_EQ(objects.Get(i + 3).size(), 8u);  // flags
    // Scenery has no picture, so it is never shown and lies nowhere; a thing is somewhere.
    if (objects.Get(i + 6).empty()) {
      EXPECT_EQ(objects.Get(i + 2), "");
    } else {
      EXPECT_TRUE(places.count(objects.Get(i + 2)));
      EXPECT_TRUE(has_file(objects.Get(i + 6)));
    }
  }
  // Sentence scripts are named by a verb code in two hex digits and two word codes in three.
  const std::regex sentence_name("([0-9A-F]{2})([0-9A-F]{3})([0-9A-F]{3})");
  for (const auto& [name, lines] : scripts) {
    std::smatch m;
    if (!std::regex_match(name, m, sentence_name)) continue;
    const auto code = [&](int group) { return std::stoi(m[group].str(), nullptr, 16); };
    EXPECT_TRUE(code(1) >= 1 && code(1) <= verbs.Count()) << name;
    EXPECT_LE(std::max(code(2), code(3)), words.Count()) << name;
  }
}

}  // namespace
}  // namespace zunk::testing

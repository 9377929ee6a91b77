// The demo game: its walkthroughs replayed against approved transcripts, and the built folder
// checked for names (labels, scripts, pictures, messages, object words) that would break in play.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <regex>
#include <set>

#include "game/world/line_list.h"
#include "platform/cp1252.h"
#include "script/operands.h"
#include "script/script_codec.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;

TEST(DemoGameTest, WalkthroughsMatchTheirApprovedTranscripts) {
  const std::string data = std::string(ZUNK_TEST_DATA_DIR) + "/data/demo_";
  for (const std::string kind : {"", "_clicks", "_night"}) {
    TempDir copy;  // the player writes the settings file back and the console writes PNGs
    fs::copy(ZUNK_DEMO_DIR, copy.path() / "jogo", fs::copy_options::recursive);
    const std::string command = "cd '" + copy.path().string() + "' && " + ZUNK_RUN_PATH +
                                " jogo --input '" + data + "walkthrough" + kind +
                                ".txt' --expect '" + data + "transcript" + kind +
                                ".expected' > saida.txt 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << kind << ReadBytes(copy.path() / "saida.txt");
  }
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

std::vector<std::string> Split(std::string args, std::size_t n) {
  std::vector<std::string> fields;
  for (std::size_t comma; fields.size() + 1 < n && (comma = args.find(',')) != std::string::npos;
       args.erase(0, comma + 1))
    fields.push_back(args.substr(0, comma));
  fields.push_back(args);
  return fields;
}

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
    EXPECT_TRUE(places.count(objects.Get(i + 2)));
    EXPECT_EQ(objects.Get(i + 3).size(), 8u);  // flags
    EXPECT_TRUE(has_file(objects.Get(i + 6)));
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

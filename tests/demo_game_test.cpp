// The demo game as a whole: its three walkthroughs played by zunk-run against their approved
// transcripts (finished by keyboard, finished by clicks and suggestions, lost to the night),
// and the built game folder checked for references that would only fail when a player
// reaches them (labels, scripts, pictures, messages, object words).
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "game/world/line_list.h"
#include "platform/cp1252.h"
#include "script/operands.h"
#include "script/script_codec.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;

// Runs a shell command; the output (standard error joined) and the exit status.
std::pair<std::string, int> RunShell(const std::string& command) {
  std::string output;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return {"", -1};
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    output.append(buffer, n);
  }
  const int status = ::pclose(pipe);
  return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST(DemoGameTest, WalkthroughsMatchTheirApprovedTranscripts) {
  const fs::path data = fs::path(ZUNK_TEST_DATA_DIR) / "data";
  for (const char* name :
       {"demo_walkthrough", "demo_walkthrough_clicks", "demo_walkthrough_night"}) {
    SCOPED_TRACE(name);
    TempDir copy;  // the player writes the settings file back and the console writes PNGs
    const fs::path game = copy.path() / "jogo", work = copy.path() / "trabalho";
    fs::copy(ZUNK_DEMO_DIR, game, fs::copy_options::recursive);
    fs::create_directory(work);
    std::string expected = (data / name).string();
    expected.replace(expected.rfind("demo_walkthrough"), 16, "demo_transcript");
    const auto [output, status] = RunShell("cd '" + work.string() + "' && " + ZUNK_RUN_PATH + " '" +
                                           game.string() + "' --input '" + (data / name).string() +
                                           ".txt' --expect '" + expected + ".expected'");
    EXPECT_EQ(status, 0) << output;
  }
}

// The built demo folder, read as the game reads it.
class DemoFolder {
 public:
  DemoFolder() {
    for (const auto& entry : fs::directory_iterator(ZUNK_DEMO_DIR)) {
      const fs::path& path = entry.path();
      files_.insert(path.filename().string());
      if (path.extension() == kScriptExt) {
        scripts[path.stem().string()] = DecodeScript(ReadBytes(path)).lines;
      }
    }
  }
  LineList Data(const std::string& extension) const {
    return LineList(SplitLines(ReadBytes(fs::path(ZUNK_DEMO_DIR) / ("farol" + extension))));
  }
  bool HasFile(const std::string& cp1252_name) const {
    return files_.count(Cp1252ToUtf8(cp1252_name)) != 0;
  }

  std::map<std::string, std::vector<std::string>> scripts;  // CP1252 lines by entry name

 private:
  std::set<std::string> files_;
};

// The fields of an argument text split at its first n - 1 commas (the last keeps the rest).
std::vector<std::string> Split(const std::string& args, std::size_t n) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (fields.size() + 1 < n) {
    const std::size_t comma = args.find(',', start);
    if (comma == std::string::npos) break;
    fields.push_back(args.substr(start, comma - start));
    start = comma + 1;
  }
  fields.push_back(args.substr(start));
  return fields;
}

// Where a line names a label, a script or a file: field index in a split of n fields.
struct Reference {
  std::size_t fields;
  std::size_t index;
};
const std::map<std::string, Reference> kLabelFields = {
    {"goto", {1, 0}},   {"se=", {3, 2}},    {"se#", {3, 2}},    {"se>", {3, 2}},
    {"se<", {3, 2}},    {"ifodnt", {3, 2}}, {"ifbit", {3, 2}},  {"loop", {2, 1}},
    {"ifloc=", {2, 1}}, {"ifloc#", {2, 1}}, {"ifoloc", {2, 1}}, {"ifojog", {2, 1}},
    {"ifoext", {2, 1}}, {"ifobj1", {2, 1}}, {"ifobj2", {2, 1}}, {"ifarq", {2, 1}}};
const std::map<std::string, Reference> kScriptFields = {
    {"irpara", {1, 0}}, {"script", {1, 0}}, {"norte=", {1, 0}},
    {"sul=", {1, 0}},   {"leste=", {1, 0}}, {"oeste=", {1, 0}},
    {"sgt#", {2, 1}},   {"fncdef", {2, 1}}, {"runtime", {2, 1}}};
const std::map<std::string, Reference> kFileFields = {
    {"tela", {1, 0}}, {"shape", {3, 2}}, {"frame", {5, 4}}, {"hud=", {3, 2}}, {"bufx", {2, 1}}};

TEST(DemoGameTest, EveryLabelScriptPictureAndMessageNamedByTheScriptsExists) {
  const DemoFolder demo;
  ASSERT_GT(demo.scripts.size(), 30u);
  const int messages = demo.Data(".msg").Count();
  std::vector<std::string> faults;
  for (const auto& [name, lines] : demo.scripts) {
    const std::set<std::string> labels(lines.begin(), lines.end());
    auto check = [&](bool ok, const std::string& what, const std::string& line) {
      if (!ok) faults.push_back(Cp1252ToUtf8(name + ": " + what + " in \"" + line + "\""));
    };
    auto label = [&](std::string text, const std::string& line) {
      text = std::string(TrimBlanks(text));
      if (text.empty() || text[0] != ':') text = ":" + text;
      check(labels.count(text) != 0, "missing label", line);
    };
    for (const std::string& line : lines) {
      const std::size_t blank = line.find(' ');
      const std::string word = line.substr(0, blank);
      const std::string args = blank == std::string::npos ? "" : line.substr(blank + 1);
      if (auto it = kLabelFields.find(word); it != kLabelFields.end()) {
        const auto fields = Split(args, it->second.fields);
        check(fields.size() == it->second.fields, "missing field", line);
        if (fields.size() == it->second.fields) label(fields[it->second.index], line);
      }
      if (auto it = kScriptFields.find(word); it != kScriptFields.end()) {
        const auto fields = Split(args, it->second.fields);
        const std::string target(TrimBlanks(fields.back()));
        if (target != "off" && target.find(':') == std::string::npos) {
          check(demo.scripts.count(target) != 0, "missing script", line);
        }
      }
      if (auto it = kFileFields.find(word); it != kFileFields.end()) {
        const auto fields = Split(args, it->second.fields);
        if (fields.size() == it->second.fields && fields[0] != "off") {
          check(demo.HasFile(std::string(TrimBlanks(fields.back()))), "missing picture", line);
        }
      }
      if (word == "link") {  // link n,x,y,w,h,cursor,action,argument
        const auto fields = Split(args, 8);
        check(fields.size() == 8, "incomplete link", line);
        if (fields.size() < 8) continue;
        const std::int32_t action = ParseDecimal(fields[6]).value_or(0);
        if (action == 1 || action == 3)
          check(demo.scripts.count(fields[7]) != 0, "missing script", line);
        if (action == 4) check(demo.HasFile(fields[7]), "missing picture", line);
        if (action == 5) label(fields[7], line);
      }
      if (word == "msg+" && args.size() > 1 && args[0] == '$') {
        const std::int32_t n = ParseDecimal(args.substr(1)).value_or(-1);
        check(n >= 0 && n < messages, "missing message", line);
      }
    }
  }
  EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
}

TEST(DemoGameTest, ObjectsAndSentenceScriptsFitTheVocabulary) {
  const DemoFolder demo;
  const LineList words = demo.Data(".plr"), verbs = demo.Data(".vrb"), objects = demo.Data(".obj");
  ASSERT_EQ(objects.Count() % 10, 0);
  std::set<std::string> places;  // locations and containers
  for (const auto& [name, lines] : demo.scripts) places.insert(name);
  for (int i = 0; i < objects.Count(); i += 10) places.insert(objects.Get(i));
  for (int i = 0; i < objects.Count(); i += 10) {
    const std::string plvr = objects.Get(i), flags = objects.Get(i + 3);
    SCOPED_TRACE(Cp1252ToUtf8(plvr));
    // A sentence reaches an object only when its word is a whole line of the word list.
    const auto& w = words.lines();
    EXPECT_NE(std::find(w.begin(), w.end(), plvr), w.end());
    EXPECT_TRUE(places.count(objects.Get(i + 2))) << Cp1252ToUtf8(objects.Get(i + 2));
    EXPECT_EQ(flags.size(), 8u);
    EXPECT_TRUE(demo.HasFile(objects.Get(i + 6)));
  }
  // Sentence scripts are named by a verb code in two hex digits and two word codes in three.
  const std::regex sentence_name("([0-9A-F]{2})([0-9A-F]{3})([0-9A-F]{3})");
  for (const auto& [name, lines] : demo.scripts) {
    std::smatch m;
    if (!std::regex_match(name, m, sentence_name)) continue;
    SCOPED_TRACE(name);
    const auto code = [&](int group) { return std::stoul(m[group].str(), nullptr, 16); };
    EXPECT_TRUE(code(1) >= 1 && code(1) <= static_cast<unsigned long>(verbs.Count()));
    EXPECT_LE(code(2), static_cast<unsigned long>(words.Count()));
    EXPECT_LE(code(3), static_cast<unsigned long>(words.Count()));
  }
}

}  // namespace
}  // namespace zunk::testing

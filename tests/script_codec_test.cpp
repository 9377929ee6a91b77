// Script file decoding, alone and through a run of the decoded lines.
#include <algorithm>
#include <random>

#include "script/script_codec.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

// The two hexadecimal digits of one character encoded at key position j.
std::string Pair(char c, std::size_t j) {
  static constexpr char kDigits[] = "0123456789abcdef";
  const auto v = static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) ^ kScriptKey[j % 12]);
  return {kDigits[v >> 4], kDigits[v & 0xF]};
}

// Text encoded from key position j on, without a line end.
std::string EncodeAt(const std::string& text, std::size_t j) {
  std::string out;
  for (char c : text) out += Pair(c, j++);
  return out;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

TEST(ScriptCodecTest, KeyRunsAcrossLinesAndSkipsEmptyLines) {
  // Written by hand: the key position goes on from line to line, empty lines of any ending
  // do not advance it, and digits of both cases mix. "AbCd" holds the 13th and 14th
  // characters of the file, at key positions 0 and 1 again.
  const std::string first = "msg= Ol\xE1\xE9!";
  std::string file = EncodeAt(first, 0) + "\r\n\r\n\n\r" + EncodeAt("xz", 10) + "\n" + "AbCd";
  DecodedScript decoded = DecodeScript(file);
  ASSERT_TRUE(decoded.complete);
  ASSERT_EQ(decoded.lines.size(), 3u);
  EXPECT_EQ(decoded.lines[0], first);
  EXPECT_EQ(decoded.lines[1], "xz");
  EXPECT_EQ(decoded.lines[2], std::string({static_cast<char>(0xAB ^ kScriptKey[0]),
                                           static_cast<char>(0xCD ^ kScriptKey[1])}));

  // Round trip over every byte value, with lower-case digits and LF-only ends.
  std::vector<std::string> lines = {"", "reg 1,5", std::string(1, '\0'), "msg= fim"};
  for (int c = 1; c < 256; ++c) lines[0] += static_cast<char>(c);
  std::string encoded = Lower(EncodeScript(lines));
  encoded.erase(std::remove(encoded.begin(), encoded.end(), '\r'), encoded.end());
  decoded = DecodeScript(encoded);
  EXPECT_TRUE(decoded.complete);
  EXPECT_EQ(decoded.lines, lines);
}

TEST(ScriptCodecTest, OddDigitsBadPairsAndGarbage) {
  // An odd last digit is dropped without using a key position; a one-digit line is an
  // empty script line.
  std::string file = EncodeAt("ab", 0) + "7\r\n" + "Q\r\n" + Pair('c', 2);
  DecodedScript decoded = DecodeScript(file);
  EXPECT_TRUE(decoded.complete);
  EXPECT_EQ(decoded.lines, (std::vector<std::string>{"ab", "", "c"}));

  // A bad pair stops decoding: earlier lines stay, the broken line and the rest are lost.
  file = Pair('a', 0) + "\r\n" + Pair('b', 1) + "g0" + Pair('c', 3) + "\r\n" + Pair('d', 4);
  decoded = DecodeScript(file);
  EXPECT_FALSE(decoded.complete);
  EXPECT_EQ(decoded.lines, std::vector<std::string>{"a"});
  EXPECT_FALSE(DecodeScript("4 1").complete);  // a blank inside a pair is not a digit
  EXPECT_FALSE(DecodeScript("\xEF\xBB\xBF" + Pair('a', 0)).complete);

  decoded = DecodeScript("");
  EXPECT_TRUE(decoded.complete);
  EXPECT_TRUE(decoded.lines.empty());

  std::mt19937 random(7);
  std::string garbage(64 * 1024, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  decoded = DecodeScript(garbage);
  EXPECT_FALSE(decoded.complete);
}

class ScriptFileTest : public GameTest {};

TEST_F(ScriptFileTest, BrokenScriptsKeepTheirLinesButDoNotRun) {
  Start();
  std::string text = EncodeScript({"reg 1,5", "reg 2,6"});
  WriteFile("quebrado.scpt", text + "zz\r\n" + EncodeScript({"reg 3,7"}));
  game().RunScriptFromHost("quebrado");
  EXPECT_EQ(interp().script_lines.lines(), (std::vector<std::string>{"reg 1,5", "reg 2,6"}));
  EXPECT_EQ(world().reg[1], 0);
  EXPECT_EQ(world().reg[2], 0);

  // An odd last digit on a line neither stops the run nor moves the key.
  WriteFile("impar.scpt", EncodeAt("reg 1,5", 0) + "F\r\n" + EncodeAt("reg 2,6", 7) + "\r\n");
  game().RunScriptFromHost("impar");
  EXPECT_EQ(world().reg[1], 5);
  EXPECT_EQ(world().reg[2], 6);

  WriteFile("vazio.scpt", "");
  game().RunScriptFromHost("vazio");
  EXPECT_TRUE(interp().script_lines.Empty());

  std::mt19937 random(11);
  std::string garbage(256 * 1024, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  WriteFile("lixo.scpt", garbage);
  game().RunScriptFromHost("lixo");
  EXPECT_TRUE(host_.errors.empty());
}

TEST_F(ScriptFileTest, TenMegabyteScriptRunsToTheEnd) {
  const std::size_t count = 10 * 1024 * 1024 / 12 + 1;  // "inc 1" is 12 bytes encoded
  std::vector<std::string> lines(count, "inc 1");
  lines.back() = "msg= fim";
  WriteScript("grande", lines);
  lines.assign(70000, "inc 2");
  lines.front() = "script nenhum";
  WriteScript("longo", lines);
  Start();
  game().RunScriptFromHost("grande");
  EXPECT_EQ(world().reg[1], static_cast<std::int32_t>(count - 1));
  EXPECT_EQ(output().lines(), std::vector<std::string>{"fim"});

  // A hand-over ends the run it came from however long the lists are: the long script is
  // not resumed at line 65000, and a missing script ends a long run too.
  RunLines({"reg 1,0", "script grande", "inc 3"});
  EXPECT_EQ(world().reg[1], static_cast<std::int32_t>(count - 1));
  EXPECT_EQ(world().reg[3], 0);
  game().RunScriptFromHost("longo");
  EXPECT_EQ(world().reg[2], 0);
  EXPECT_TRUE(host_.errors.empty());
}

}  // namespace
}  // namespace zunk::testing

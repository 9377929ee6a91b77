// Script file decoding, alone and through a run of the decoded lines.
#include <random>

#include "test_support.h"

namespace zunk::testing {
namespace {

// Text encoded from key position j on, in lower-case digits, without a line end.
std::string EncodeAt(const std::string& text, std::size_t j) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (char c : text) {
    const auto v = static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) ^ kScriptKey[j++ % 12]);
    out += {kDigits[v >> 4], kDigits[v & 0xF]};
  }
  return out;
}

TEST(ScriptCodecTest, KeyRunsAcrossLinesAndSkipsEmptyLines) {
  // Written by hand: the key position goes on from line to line, empty lines of any ending
  // do not advance it, and digits of both cases mix. "AbCd" holds the 13th and 14th
  // characters of the file, at key positions 0 and 1 again.
  const std::string first = "msg= Ol\xE1\xE9!";
  DecodedScript decoded =
      DecodeScript(EncodeAt(first, 0) + "\r\n\r\n\n\r" + EncodeAt("xz", 10) + "\nAbCd");
  EXPECT_TRUE(decoded.complete);
  EXPECT_EQ(decoded.lines, (Strings{first, "xz", {static_cast<char>(0xAB ^ kScriptKey[0]),
                                                  static_cast<char>(0xCD ^ kScriptKey[1])}}));

  // Round trip over every byte value.
  Strings lines = {"", "reg 1,5", std::string(1, '\0')};
  for (int c = 1; c < 256; ++c) lines[0] += static_cast<char>(c);
  decoded = DecodeScript(EncodeScript(lines));
  EXPECT_TRUE(decoded.complete);
  EXPECT_EQ(decoded.lines, lines);
}

TEST(ScriptCodecTest, OddDigitsBadPairsAndGarbage) {
  // An odd last digit is dropped without using a key position; a one-digit line is an
  // empty script line.
  DecodedScript decoded = DecodeScript(EncodeAt("ab", 0) + "7\r\nQ\r\n" + EncodeAt("c", 2));
  EXPECT_TRUE(decoded.complete);
  EXPECT_EQ(decoded.lines, (Strings{"ab", "", "c"}));

  // A bad pair stops decoding: earlier lines stay, the broken line and the rest are lost.
  decoded = DecodeScript(EncodeAt("a", 0) + "\r\n" + EncodeAt("b", 1) + "g0" + EncodeAt("c", 3) +
                         "\r\n" + EncodeAt("d", 4));
  EXPECT_FALSE(decoded.complete);
  EXPECT_EQ(decoded.lines, Strings{"a"});
  EXPECT_FALSE(DecodeScript("4 1").complete);  // a blank inside a pair is not a digit
  std::mt19937 random(7);
  std::string garbage(64 * 1024, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  EXPECT_FALSE(DecodeScript(garbage).complete);

  decoded = DecodeScript("");
  EXPECT_TRUE(decoded.complete && decoded.lines.empty());
}

class ScriptFileTest : public GameTest {};

TEST_F(ScriptFileTest, BrokenScriptsDoNotRunAndHugeOnesRunToTheEnd) {
  WriteFile("quebrado.scpt",
            EncodeScript({"reg 1,5", "reg 2,6"}) + "zz\r\n" + EncodeScript({"reg 3,7"}));
  const std::size_t count = 10 * 1024 * 1024 / 12 + 1;  // "inc 1" is 12 bytes encoded
  Strings lines(count, "inc 1");
  lines.back() = "msg= fim";
  WriteScript("grande", lines);
  lines.assign(70000, "inc 2");
  lines.front() = "script nenhum";
  WriteScript("longo", lines);
  Start();
  Run("quebrado");
  EXPECT_EQ(interp().script_lines.lines(), (Strings{"reg 1,5", "reg 2,6"}));
  EXPECT_EQ(world().reg[1] + world().reg[2], 0);

  Run("grande");
  EXPECT_EQ(world().reg[1], static_cast<std::int32_t>(count - 1));
  EXPECT_EQ(shown(), Strings{"fim"});
  // A hand-over ends the run it came from however long the list is: the long script is not
  // resumed at line 65000.
  Run("longo");
  EXPECT_EQ(world().reg[2], 0);
  EXPECT_TRUE(host_.errors.empty());
}

}  // namespace
}  // namespace zunk::testing

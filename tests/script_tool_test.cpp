// zunk-script: plain text and encoded scripts convert both ways without losing a byte.
#include <cstdlib>
#include <string>

#include "script/script_codec.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

int Tool(const std::string& arguments) {
  const int status = std::system((std::string(ZUNK_SCRIPT_PATH) + " " + arguments + " 2>/dev/null").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ScriptToolTest, EncodeThenDecodeKeepsTheTextAndWritesCp1252) {
  TempDir dir;
  const auto txt = dir.path() / "sala.txt";
  const auto scpt = dir.path() / "sala.scpt";
  const auto back = dir.path() / "back.txt";
  WriteBytes(txt, "msg= Você está na sala.\r\n\n  goto :fim\n:fim");
  ASSERT_EQ(Tool("encode " + txt.string() + " " + scpt.string()), 0);
  const DecodedScript decoded = DecodeScript(ReadBytes(scpt));
  EXPECT_TRUE(decoded.complete);
  ASSERT_EQ(decoded.lines.size(), 3u);  // the empty line is dropped
  EXPECT_EQ(decoded.lines[0], "msg= Voc\xEA est\xE1 na sala.");
  EXPECT_EQ(decoded.lines[1], "  goto :fim");
  ASSERT_EQ(Tool("decode " + scpt.string() + " " + back.string()), 0);
  EXPECT_EQ(ReadBytes(back), "msg= Você está na sala.\n  goto :fim\n:fim\n");
}

TEST(ScriptToolTest, DecodeReportsABrokenFileButKeepsWhatItRead) {
  TempDir dir;
  const auto scpt = dir.path() / "x.scpt";
  const auto out = dir.path() / "x.txt";
  WriteBytes(scpt, EncodeScript({"inc 5"}) + "ZZ\r\n");
  EXPECT_EQ(Tool("decode " + scpt.string() + " " + out.string()), 1);
  EXPECT_EQ(ReadBytes(out), "inc 5\n");
  EXPECT_EQ(Tool("encode " + (dir.path() / "missing.txt").string() + " " + out.string()), 1);
  EXPECT_EQ(Tool("bogus " + scpt.string() + " " + out.string()), 2);
}

}  // namespace
}  // namespace zunk::testing

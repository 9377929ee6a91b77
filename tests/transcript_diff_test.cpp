// The line diff behind zunk-run --expect, with its fallback for changes too large to list.
#include "transcript_diff.h"

#include <map>

#include "test_support.h"

namespace zunk::testing {
namespace {

// "1\n2\n...\nn\n" with some lines replaced by the given texts.
std::string Numbered(int n, std::map<int, std::string> changed = {}) {
  std::string text;
  for (int i = 1; i <= n; ++i) text += changed.count(i) ? changed[i] : std::to_string(i) + "\n";
  return text;
}

TEST(TranscriptDiffTest, HunksLineNumbersContextLineEndsAndHugeChanges) {
  EXPECT_EQ(LineDiff(Numbered(5), Numbered(5)), "");
  EXPECT_EQ(LineDiff(Numbered(20), Numbered(20, {{10, "dez\n"}})),
            "@@ -7,7 +7,7 @@\n 7\n 8\n 9\n-10\n+dez\n 11\n 12\n 13\n");
  // Changes close together share a hunk; distant ones get their own.
  EXPECT_EQ(LineDiff(Numbered(40), Numbered(40, {{3, ""}, {30, "30\nx\n"}})),
            "@@ -1,6 +1,5 @@\n 1\n 2\n-3\n 4\n 5\n 6\n"
            "@@ -28,6 +27,7 @@\n 28\n 29\n 30\n+x\n 31\n 32\n 33\n");
  EXPECT_EQ(LineDiff("a\nb\n", Numbered(40)).substr(0, 13), "@@ -1,2 +1,40");
  EXPECT_EQ(LineDiff("a\nb\nc\n", "a\nc\nb\n", {.context = 0}),
            "@@ -2,1 +2,0 @@\n-b\n@@ -4,0 +3,1 @@\n+b\n");
  EXPECT_EQ(LineDiff("a\nb\n", "a\nb"),
            "@@ -1,2 +1,2 @@\n a\n-b\n+b (sem quebra de linha no fim)\n");
  EXPECT_EQ(NormalizeLineBreaks("a\r\nb\r\n\r\nc\r"), "a\nb\n\nc\r");
  EXPECT_EQ(LineDiff(Numbered(5), Numbered(5, {{2, "x\n"}, {4, "y\n"}}), {.max_cells = 8}),
            "primeira diferença na linha 2 (diferenças demais para listar todas)\n-2\n+x\n");
}

}  // namespace
}  // namespace zunk::testing

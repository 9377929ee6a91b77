// The line diff behind zunk-run --expect: hunks, line numbers, context, line ends and the
// fallback for changes too large to list.
#include "transcript_diff.h"

#include <string>

#include "test_support.h"

namespace zunk::testing {
namespace {

// "1\n2\n...\nn\n"
std::string Numbered(int n) {
  std::string text;
  for (int i = 1; i <= n; ++i) text += std::to_string(i) + "\n";
  return text;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

TEST(TranscriptDiffTest, HunksShowNumberedChangesWithTheirContext) {
  EXPECT_EQ(LineDiff(Numbered(5), Numbered(5)), "");
  // One changed line in the middle: three lines of context each side.
  EXPECT_EQ(LineDiff(Numbered(20), Replace(Numbered(20), "\n10\n", "\ndez\n")),
            "@@ -7,7 +7,7 @@\n 7\n 8\n 9\n-10\n+dez\n 11\n 12\n 13\n");
  // Changes close together share a hunk; distant ones get their own.
  const std::string both = Replace(Replace(Numbered(40), "\n3\n", "\n"), "\n30\n", "\n30\nx\n");
  EXPECT_EQ(LineDiff(Numbered(40), both),
            "@@ -1,6 +1,5 @@\n 1\n 2\n-3\n 4\n 5\n 6\n"
            "@@ -28,6 +27,7 @@\n 28\n 29\n 30\n+x\n 31\n 32\n 33\n");
  EXPECT_EQ(LineDiff("a\nb\n", Numbered(40)).substr(0, 13), "@@ -1,2 +1,40");
  EXPECT_EQ(LineDiff("a\nb\nc\n", "a\nc\nb\n", {.context = 0}),
            "@@ -2,1 +2,0 @@\n-b\n@@ -4,0 +3,1 @@\n+b\n");
}

TEST(TranscriptDiffTest, LineEndsAndHugeChanges) {
  // A missing last line break is a difference, and says so.
  EXPECT_EQ(LineDiff("a\nb\n", "a\nb"),
            "@@ -1,2 +1,2 @@\n a\n-b\n+b (sem quebra de linha no fim)\n");
  EXPECT_EQ(NormalizeLineBreaks("a\r\nb\r\n\r\nc\r"), "a\nb\n\nc\r");
  // Beyond the table limit only the first differing line is named.
  EXPECT_EQ(LineDiff(Numbered(5), Replace(Replace(Numbered(5), "2\n", "x\n"), "4\n", "y\n"),
                     {.max_cells = 8}),
            "primeira diferença na linha 2 (diferenças demais para listar todas)\n-2\n+x\n");
}

}  // namespace
}  // namespace zunk::testing

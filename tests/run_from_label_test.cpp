// RunFromLabel's index of whole lines, beside goto's index of label names.
#include <algorithm>
#include <random>

#include "script/first_line_index.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

struct RunFromLabelTest : GameTest {
  void SetUp() override { Start(); }

  // Runs from label over lines where line i (from 1) is "inc i" unless given otherwise, and
  // tells the first register the run reached (0 when nothing ran).
  int FirstRun(std::string_view label) {
    world().reg.fill(0);
    interp().RunFromLabel(interp().script_lines, label, interp().main_line);
    for (int r = 1; r <= kRegisterCount; ++r) {
      if (world().reg[r] != 0) return r;
    }
    return 0;
  }
};

TEST_F(RunFromLabelTest, StartsAfterTheFirstLineEqualToTheWholeLabel) {
  LineList& lines = interp().script_lines;
  lines.Assign({":a", "inc 1", ":a ", "inc 2", "x:y", "inc 3", " :a", "inc 4", ":a", "inc 5",
                ":a:b", "inc 6", "", "inc 7"});
  for (const auto& [label, first] : std::vector<std::pair<std::string, int>>{
           {":a", 1},
           {":a ", 2},
           {"x:y", 3},
           {" :a", 4},
           {":a:b", 6},
           {"", 7},
           {"a", 0},
           {":A", 0},
           {":a  ", 0},
           {":a:", 0},
           {"inc 4", 5},
           {"inc 1", 2}}) {  // any line is a label: the lines after it run
    EXPECT_EQ(FirstRun(label), first) << '"' << label << '"';
  }
  EXPECT_EQ(FirstRun("nada"), 0);
  EXPECT_EQ(interp().main_line, lines.Count());  // the counter is left where the last run ended

  // Edits between runs move the label: its first line is found in the list as it is now.
  lines.Set(0, ":b");
  EXPECT_EQ(FirstRun(":a"), 5);
  lines.Insert(0, ":a");
  lines.Insert(1, "inc 9");
  EXPECT_EQ(FirstRun(":a"), 1);  // inc 9 and everything after it
  EXPECT_EQ(world().reg[9], 1);
  lines.Delete(0);
  EXPECT_EQ(FirstRun(":b"), 1);
  lines.Assign({"inc 8", ":a"});
  EXPECT_EQ(FirstRun(":a"), 0);  // the label is the last line: nothing after it runs
  EXPECT_EQ(FirstRun(":b"), 0);
}

TEST_F(RunFromLabelTest, GotoStillFindsTrimmedLabelNames) {
  interp().script_lines.Assign({":a ", "x:y", ":a", ":b  ", ":b"});
  // goto reads the name after a line's ':' as it stands, and trims its own argument.
  for (const auto& [line, target] :
       std::vector<std::pair<std::string, std::int32_t>>{{"goto a", 2},
                                                         {"goto a  ", 2},
                                                         {"goto :a", 2},
                                                         {"goto b", 4},
                                                         {"goto y", kNextLine},
                                                         {"goto x:y", kNextLine},
                                                         {"goto", kNextLine}}) {
    EXPECT_EQ(Exec(line), target) << line;
  }
  // RunFromLabel takes the whole line: ":a " is the first line, ":b  " another than ":b".
  world().reg.fill(0);
  interp().script_lines.Assign({":a ", "inc 1", ":a", "inc 2", ":b  ", "inc 3", ":b", "inc 4"});
  interp().RunFromLabel(interp().script_lines, ":a ", interp().main_line);
  EXPECT_EQ(world().reg[1], 1);
  world().reg.fill(0);
  interp().RunFromLabel(interp().script_lines, ":b", interp().main_line);
  EXPECT_EQ(std::vector<std::int32_t>(world().reg.begin() + 1, world().reg.begin() + 5),
            (std::vector<std::int32_t>{0, 0, 0, 1}));
}

TEST(FirstLineIndexTest, AgreesWithAScanOverRandomListsAndEdits) {
  std::mt19937 random(7);
  const std::vector<std::string> texts = {":a", ":a ", "a", " :a", ":b", "", "x:y", ":a:b"};
  auto pick = [&] { return texts[random() % texts.size()]; };
  FirstLineIndex index;
  LineList list;
  LineList copy;
  for (int round = 0; round < 400; ++round) {
    switch (random() % 4) {
      case 0:
        list.Append(pick());
        break;
      case 1:
        list.Set(static_cast<int>(random() % 8), pick());
        break;
      case 2:
        list.Delete(static_cast<int>(random() % 8));
        break;
      default:
        list.Insert(static_cast<int>(random() % 8), pick());
        break;
    }
    if (round % 50 == 0) copy = list;  // the copy keeps the list's generation
    for (const LineList* searched : {&list, &copy}) {
      for (const std::string& text : texts) {
        const auto& lines = searched->lines();
        const auto first = std::find(lines.begin(), lines.end(), text);
        const std::int32_t expected =
            first == lines.end() ? -1 : static_cast<std::int32_t>(first - lines.begin());
        ASSERT_EQ(index.Find(*searched, text), expected) << round << " \"" << text << '"';
      }
    }
  }
}

}  // namespace
}  // namespace zunk::testing

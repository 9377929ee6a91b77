// The input line and the suggestions: Return parses Frase, a suggestion runs its script.
#include "test_support.h"

namespace zunk::testing {
namespace {

class InputLineTest : public GameTest {
 protected:
  void SetUp() override {
    WriteFile("teste.msg", "zero\r\num\r\n");
    WriteScript("ajuda", {"msg= ajuda", "sgt= 1,de novo"});
    Start();
  }
  Suggestion& suggestion(int n) { return game().output().suggestions[n - 1]; }
};

TEST_F(InputLineTest, ReturnParsesAndEmptiesFrase) {
  game().frase = "voe";
  game().PressReturn();
  EXPECT_TRUE(game().frase.empty());
  EXPECT_EQ(game().output().status(), "] ");
  EXPECT_EQ(shown(), Strings{"um"});
}

TEST_F(InputLineTest, Suggestions) {
  // Names given with the extension, and with blanks around them, run the script.
  for (const std::string script : {"ajuda", "  ajuda.scpt "}) {
    game().output().ClearOutput();
    suggestion(2) = {"Ajuda", script};
    game().ShowPage(BookPage::Config);
    game().PressSuggestion(2);
    EXPECT_EQ(game().page(), BookPage::Screen) << script;
    EXPECT_EQ(shown(), Strings{"ajuda"}) << script;
  }
  // Suggestions last until the next run; this one set only the first.
  EXPECT_EQ(suggestion(2).caption, "");
  EXPECT_EQ(suggestion(2).script, "");

  // An empty caption, a missing script, an empty name or a number out of range do nothing
  // beyond showing the picture screen for a captioned one.
  game().output().ClearOutput();
  suggestion(1) = {"", "ajuda"};
  suggestion(2) = {"Fora", "sumiu"};
  suggestion(3) = {"Nada", ""};
  game().ShowPage(BookPage::Config);
  for (int n : {0, 1, 4, -1}) game().PressSuggestion(n);
  EXPECT_EQ(game().page(), BookPage::Config);
  game().PressSuggestion(2);
  EXPECT_EQ(game().page(), BookPage::Screen);
  game().PressSuggestion(3);
  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(suggestion(1).script, "ajuda");  // nothing ran, so nothing was cleared
  EXPECT_TRUE(host_.errors.empty());
}

}  // namespace
}  // namespace zunk::testing

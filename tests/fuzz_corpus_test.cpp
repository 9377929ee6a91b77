// What the fuzz targets' seeds and dictionaries are made of: dictionary lines, command words,
// script names, vocabulary words, walkthrough sentences and lowered screens.
#include "corpus_words.h"
#include "script/command_table.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

using fuzz::CommandWords;
using fuzz::DictionaryEntry;
using fuzz::DictionaryText;

TEST(FuzzCorpusTest, DictionaryLinesQuoteEveryByteTheFuzzerCouldMisread) {
  EXPECT_EQ(DictionaryEntry("msg= ol\xE1"), "\"msg= ol\\xE1\"");
  EXPECT_EQ(DictionaryEntry(std::string("\"\\\0\x7F~ \r", 7)), "\"\\x22\\x5C\\x00\\x7F~ \\x0D\"");
  // Each word once, in byte order; empty words are no entry.
  EXPECT_EQ(DictionaryText({"se=", "", "goto", "se=", "\xC9"}), "\"goto\"\n\"se=\"\n\"\\xC9\"\n");

  const Strings words = CommandWords();
  ASSERT_EQ(words.size(), static_cast<std::size_t>(kCommandCount));
  for (std::size_t i = 0; i < words.size(); ++i) {
    EXPECT_EQ(FindCommand(words[i]), static_cast<Command>(i + 1)) << words[i];
  }
}

TEST(FuzzCorpusTest, NamesWordsAndSentencesOfTheGame) {
  EXPECT_EQ(fuzz::ScriptNames(
                {":saida", "def 40,passos", "def 41", "defmsg 1,x", "goto fim", "def nome,asa 2"}),
            (Strings{":saida", "passos", "asa 2"}));

  EXPECT_EQ(fuzz::VocabularyWords(LineList(Strings{"LESTE:L", "INVENT\xC1RIO", "A::UM:", ""})),
            (Strings{"LESTE", "L", "INVENT\xC1RIO", "A", "UM"}));

  EXPECT_EQ(fuzz::WalkthroughSentences("!screen praia.png\r\nOLHE\r\n\r\n  \nABRA O BAÚ\n"
                                       "!tick timer 3\nPEGUE-O"),
            (Strings{"OLHE", "ABRA O BA\xDA", "PEGUE-O"}));
}

TEST(FuzzCorpusTest, LoweredScreensKeepTheirWidthAndEveryTenthRow) {
  Picture tall(3, 25, kWhite);
  for (int y = 0; y < tall.height(); ++y) tall.FillRect(0, y, 3, 1, static_cast<Colour>(y));
  const Picture lowered = fuzz::Lowered(tall, 10);
  ASSERT_EQ(lowered.width(), 3);
  ASSERT_EQ(lowered.height(), 2);
  EXPECT_EQ(lowered.Pixel(2, 0), 0u);
  EXPECT_EQ(lowered.Pixel(2, 1), 10u);
  EXPECT_EQ(fuzz::Lowered(Picture(4, 5, kBlack), 10), Picture(4, 1, kBlack));
}

}  // namespace
}  // namespace zunk::testing

// Dictionary lines and the words the fuzz corpora are made of.
#include "corpus_words.h"

#include <algorithm>

#include "platform/cp1252.h"
#include "script/command_table.h"
#include "script/operands.h"

namespace zunk::fuzz {

std::string DictionaryEntry(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string entry = "\"";
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F && c != '"' && c != '\\') {
      entry += c;
    } else {
      entry += {'\\', 'x', kHex[u >> 4], kHex[u & 0xF]};
    }
  }
  return entry + '"';
}

std::string DictionaryText(std::vector<std::string> words) {
  std::erase(words, "");
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  std::string text;
  for (const std::string& word : words) text += DictionaryEntry(word) + '\n';
  return text;
}

std::vector<std::string> CommandWords() {
  std::vector<std::string> words;
  for (int i = 1; i <= kCommandCount; ++i) {
    words.emplace_back(CommandWord(static_cast<Command>(i)));
  }
  return words;
}

std::vector<std::string> ScriptNames(const std::vector<std::string>& lines) {
  static constexpr std::string_view kDef = "def ";
  std::vector<std::string> names;
  for (const std::string& line : lines) {
    if (line.starts_with(':')) names.push_back(line);
    const std::size_t comma = line.find(',');
    if (line.starts_with(kDef) && comma != std::string::npos)
      names.push_back(line.substr(comma + 1));
  }
  return names;
}

std::vector<std::string> VocabularyWords(const LineList& list) {
  std::vector<std::string> words;
  for (const std::string& line : list.lines()) {
    std::string_view rest = line;
    for (std::size_t colon; (colon = rest.find(':')) != std::string_view::npos;) {
      words.emplace_back(rest.substr(0, colon));
      rest.remove_prefix(colon + 1);
    }
    words.emplace_back(rest);
  }
  std::erase(words, "");
  return words;
}

std::vector<std::string> WalkthroughSentences(std::string_view utf8_text) {
  std::vector<std::string> sentences;
  for (const std::string& line : SplitLines(utf8_text)) {
    if (TrimBlanks(line).empty() || line.starts_with('!')) continue;
    sentences.push_back(Utf8ToCp1252(line));
  }
  return sentences;
}

Picture Lowered(const Picture& picture, int factor) {
  Picture lowered(picture.width(), std::max(1, picture.height() / factor));
  for (int y = 0; y < lowered.height(); ++y) {
    CopyRect(lowered, 0, y, picture, 0, y * factor, picture.width(), 1);
  }
  return lowered;
}

}  // namespace zunk::fuzz

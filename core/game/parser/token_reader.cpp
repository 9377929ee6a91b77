// The token reader of the sentence parser.
#include "game/parser/token_reader.h"

namespace zunk {

std::string_view TokenReader::ReadOne() {
  while (position_ < sentence_.size() && sentence_[position_] == ' ') ++position_;
  const std::size_t start = position_;
  while (position_ < sentence_.size()) {
    const char c = sentence_[position_];
    if (c == ' ' || c == '@' || c == ',' || c == '-') break;
    ++position_;
  }
  const std::string_view word = sentence_.substr(start, position_ - start);
  // The end mark stays under the position, so every later token is empty.
  if (position_ < sentence_.size() && sentence_[position_] != '@') ++position_;
  return word;
}

std::string_view TokenReader::Next() {
  for (;;) {
    const std::string_view word = ReadOne();
    if (word.empty() || ignored_.find(word) == std::string_view::npos) return word;
    echo_ += ' ';
    echo_ += word;
  }
}

}  // namespace zunk

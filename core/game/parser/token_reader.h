// Reading the tokens of a normalised sentence: a token ends at a blank, "@", "," or "-", and
// ignored words are skipped (and added to the echo) as they are met.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zunk {

class TokenReader {
 public:
  // sentence ends with the end mark "@"; ignored_text is the whole text of the ignored words,
  // any piece of which is skipped. Both must outlive the reader.
  TokenReader(std::string_view sentence, std::string_view ignored_text, std::string& echo)
      : sentence_(sentence), ignored_(ignored_text), echo_(echo) {}

  // The next token that is not ignored; empty once the end mark is reached.
  std::string_view Next();

 private:
  std::string_view ReadOne();

  std::string_view sentence_;
  std::size_t position_ = 0;
  std::string_view ignored_;
  std::string& echo_;
};

}  // namespace zunk

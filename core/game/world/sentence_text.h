// Text rules shared by the parser and the object operands.
#pragma once

#include <string>
#include <string_view>

namespace zunk {

// The parser's normalisation: characters below 32 become blanks, a..z become A..Z, and the
// Portuguese lower-case letters (ç á é í ó ú ã õ â ê ô ü à) are raised. Nothing else changes.
std::string RaiseSentenceText(std::string_view text);

// a..z become A..Z; nothing else changes.
std::string UpperAscii(std::string_view text);

}  // namespace zunk

// The parser's upper-casing rule and the plain ASCII one.
#include "game/world/sentence_text.h"

namespace zunk {

std::string RaiseSentenceText(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32) {
      c = ' ';
    } else if (u >= 'a' && u <= 'z') {
      c = static_cast<char>(u - 32);
    } else {
      switch (u) {
        case 0xE7:  // ç
        case 0xE1:  // á
        case 0xE9:  // é
        case 0xED:  // í
        case 0xF3:  // ó
        case 0xFA:  // ú
        case 0xE3:  // ã
        case 0xF5:  // õ
        case 0xE2:  // â
        case 0xEA:  // ê
        case 0xF4:  // ô
        case 0xFC:  // ü
        case 0xE0:  // à
          c = static_cast<char>(u - 32);
          break;
        default:
          break;
      }
    }
  }
  return out;
}

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return out;
}

}  // namespace zunk

// Reading the hexadecimal colours of clear, sombra and the font descriptors.
#include "screen/colour_text.h"

#include <cstdint>
#include <string>

#include "script/operands.h"

namespace zunk {

std::optional<Colour> ReadDollarHex(std::string_view text) {
  if (text.size() < 2 || text.size() > 9 || text[0] != '$') return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : text.substr(1)) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value & 0xFFFFFF;
}

Colour ClearColourOf(std::string_view text) {
  if (text.empty()) text = "FFFFFF";
  text = TrimBlanks(text);
  if (text.find('$') != std::string_view::npos) return ReadDollarHex(text).value_or(kBlack);
  return ReadDollarHex("$" + std::string(text)).value_or(kBlack);
}

Colour ShadowColourOf(std::string_view text) {
  return ReadDollarHex("$" + std::string(text)).value_or(kWhite);
}

Colour FontColourOf(std::string_view text) {
  if (!text.empty() && text[0] == '$') return ReadDollarHex(text).value_or(kBlack);
  return ReadDollarHex("$" + std::string(text)).value_or(kBlack);
}

}  // namespace zunk

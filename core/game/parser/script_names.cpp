// Script names from verb and word codes.
#include "game/parser/script_names.h"

namespace zunk {
namespace {

// Appends value in upper-case hexadecimal, at least digits long.
void AppendHex(std::string& out, std::int32_t value, int digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  auto bits = static_cast<std::uint32_t>(value);
  char reversed[8];
  int n = 0;
  do {
    reversed[n++] = kHex[bits & 0xF];
    bits >>= 4;
  } while (bits != 0);
  for (int i = n; i < digits; ++i) out += '0';
  while (n > 0) out += reversed[--n];
}

}  // namespace

std::string CodeScriptName(std::int32_t verb, std::int32_t word1, std::int32_t word2) {
  std::string name;
  name.reserve(24);
  AppendHex(name, verb, 2);
  AppendHex(name, word1, 3);
  AppendHex(name, word2, 3);
  return name;
}

std::string GeneralScriptName(std::int32_t verb) {
  std::string name;
  name.reserve(16);
  AppendHex(name, verb, 2);
  name += "000000";
  return name;
}

}  // namespace zunk

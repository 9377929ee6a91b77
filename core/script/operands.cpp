// Operand conversion rules.
#include "script/operands.h"

#include <cstdint>

#include "game/world/sentence_text.h"

namespace zunk {

std::string_view TrimBlanks(std::string_view text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return text.substr(b, e - b);
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  // Converted by hand: operands are a few digits long and nearly every line has some.
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  const std::int64_t limit = negative ? -std::int64_t{INT32_MIN} : std::int64_t{INT32_MAX};
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::string_view Fields::Take() {
  const std::size_t comma = rest_.find(',');
  if (comma == std::string_view::npos) return {};
  const std::string_view field = rest_.substr(0, comma);
  rest_.remove_prefix(comma + 1);
  return field;
}

int FindRegisterByName(const World& world, std::string_view text) {
  return world.reg_name.FindFirst(text);
}

ValueOperand ReadValueOperand(const World& world, std::string_view text, ReadingUse& use) {
  text = TrimBlanks(text);
  if (text.empty()) return {};
  const char first = text[0];
  if ((first >= '0' && first <= '9') || first == '-') return {ParseDecimal(text).value_or(0)};
  use.names = true;
  const int index = FindRegisterByName(world, text);
  return index > 0 ? ValueOperand{0, index} : ValueOperand{};
}

std::int32_t ValueOf(const World& world, std::string_view text) {
  ReadingUse use;
  return ReadValueOperand(world, text, use).Read(world);
}

int ReadRegisterIndex(const World& world, std::string_view text, ReadingUse& use) {
  text = TrimBlanks(text);
  if (text.empty()) return 0;
  const char first = text[0];
  if (first >= '0' && first <= '9') {
    const auto n = ParseDecimal(text);
    return (n && *n <= kRegisterCount) ? *n : 0;
  }
  if (first == '-') return 0;
  use.names = true;
  return FindRegisterByName(world, text);
}

int RegisterOf(const World& world, std::string_view text) {
  ReadingUse use;
  return ReadRegisterIndex(world, text, use);
}

int ObjectOf(World& world, std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.empty()) return -1;
  if (text == "obj1" || text == "obj2") {
    const std::int32_t code = world.reg[text == "obj1" ? kRegWord1 : kRegWord2];
    if (code == 0) return -1;
    return world.FindObjectByWordCode(code) - 1;
  }
  const int count = world.ObjectCount();
  if (text[0] >= '0' && text[0] <= '9') {
    const auto n = ParseDecimal(text);
    return (n && *n < count) ? *n : -1;
  }
  if (const int index = FindRegisterByName(world, text); index > 0) {
    const std::int32_t record = world.reg[index];
    return (record >= 0 && record < count) ? record : -1;
  }
  const std::string word = RaiseSentenceText(text);
  for (int r = 0; r < count; ++r) {
    if (world.ObjectLine(r, kPlvr) == word) return r;
  }
  return -1;
}

}  // namespace zunk

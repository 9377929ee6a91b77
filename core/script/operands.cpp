// Operand conversion rules.
#include "script/operands.h"

#include <charconv>

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
  if (text.empty()) return std::nullopt;
  std::int32_t value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last) return std::nullopt;
  return value;
}

std::string_view Fields::Take() {
  const std::size_t comma = rest_.find(',');
  if (comma == std::string_view::npos) return {};
  const std::string_view field = rest_.substr(0, comma);
  rest_.remove_prefix(comma + 1);
  return field;
}

int FindRegisterByName(const World& world, std::string_view text) {
  if (text.empty()) return 0;  // an unnamed register is not named ""
  for (int i = 1; i <= kRegisterCount; ++i) {
    if (world.reg_name[i] == text) return i;
  }
  return 0;
}

std::int32_t ValueOf(const World& world, std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty()) return 0;
  const char first = text[0];
  if ((first >= '0' && first <= '9') || first == '-') return ParseDecimal(text).value_or(0);
  const int index = FindRegisterByName(world, text);
  return index > 0 ? world.reg[index] : 0;
}

int RegisterOf(const World& world, std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty()) return 0;
  const char first = text[0];
  if (first >= '0' && first <= '9') {
    const auto n = ParseDecimal(text);
    return (n && *n <= kRegisterCount) ? *n : 0;
  }
  if (first == '-') return 0;
  return FindRegisterByName(world, text);
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

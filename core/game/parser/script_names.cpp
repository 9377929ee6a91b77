// Script names from verb and word codes.
#include "game/parser/script_names.h"

#include <cstdio>

namespace zunk {

std::string CodeScriptName(std::int32_t verb, std::int32_t word1, std::int32_t word2) {
  char name[32];
  const int n = std::snprintf(name, sizeof name, "%02X%03X%03X", static_cast<std::uint32_t>(verb),
                              static_cast<std::uint32_t>(word1), static_cast<std::uint32_t>(word2));
  return std::string(name, static_cast<std::size_t>(n));
}

std::string GeneralScriptName(std::int32_t verb) {
  char name[16];
  const int n = std::snprintf(name, sizeof name, "%02X000000", static_cast<std::uint32_t>(verb));
  return std::string(name, static_cast<std::size_t>(n));
}

}  // namespace zunk

// The script file format: each non-empty file line holds one script line as two hexadecimal
// digits per character, every character XORed with the 12-byte ScriptKey at a position that
// runs on across lines. Empty file lines are skipped without advancing the key; an odd last
// digit is ignored; decoding stops at the first pair that is not hexadecimal.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zunk {

inline constexpr std::size_t kScriptKeyLength = 12;
extern const std::array<std::uint8_t, kScriptKeyLength> kScriptKey;
inline constexpr const char* kScriptExt = ".scpt";

struct DecodedScript {
  std::vector<std::string> lines;
  bool complete = true;  // false when a bad pair stopped decoding
};

DecodedScript DecodeScript(std::string_view file_bytes);

// Encodes lines (CP1252 text) as a script file with CR LF line ends.
std::string EncodeScript(const std::vector<std::string>& lines);

}  // namespace zunk

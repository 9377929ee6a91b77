// The script names the parser builds from codes: the verb in at least two upper-case
// hexadecimal digits, each word in at least three (a negative code as its 32-bit two's
// complement).
#pragma once

#include <cstdint>
#include <string>

namespace zunk {

// Verb 10 with words 1 and 2: "0A001002".
std::string CodeScriptName(std::int32_t verb, std::int32_t word1, std::int32_t word2);
// The verb's general script, also the direction scripts: verb 1 gives "01000000".
std::string GeneralScriptName(std::int32_t verb);

}  // namespace zunk

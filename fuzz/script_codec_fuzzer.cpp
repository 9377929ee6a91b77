// Fuzzes the script file codec: any bytes decode without fault, and the lines decoded encode
// to a file that decodes to the same lines again.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "script/script_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zunk;
  DecodedScript decoded = DecodeScript({reinterpret_cast<const char*>(data), size});
  const DecodedScript again = DecodeScript(EncodeScript(decoded.lines));
  // An empty line has no digits, so its file line is skipped: only the others come back.
  std::erase(decoded.lines, "");
  if (!again.complete || again.lines != decoded.lines) std::abort();
  return 0;
}

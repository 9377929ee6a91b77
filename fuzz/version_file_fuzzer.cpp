// Fuzzes the version file reader: any bytes read without fault, within the bounds, and every
// obsolete name it gives stays inside the game folder.
#include <cstdint>
#include <cstdlib>

#include "platform/game_folder.h"
#include "web/update_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zunk;
  const VersionFile file = ParseVersionFile({reinterpret_cast<const char*>(data), size});
  if (file.obsolete.size() > kMaxObsoleteNames) std::abort();
  for (const std::string& name : file.obsolete) {
    const auto path = SafeRelativePath(name);
    if (!path || path->is_absolute()) std::abort();
    for (const auto& part : *path) {
      if (part == "..") std::abort();
    }
  }
  return 0;
}

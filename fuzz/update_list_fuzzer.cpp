// Fuzzes the update list reader: any bytes read without fault, within the bounds, and no
// usable pair names a file outside the game folder.
#include <cstdint>
#include <cstdlib>

#include "platform/game_folder.h"
#include "web/update_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zunk;
  const UpdateList list = ParseUpdateList({reinterpret_cast<const char*>(data), size});
  if (list.entries.size() > kMaxUpdatePairs) std::abort();
  for (const UpdateEntry& entry : list.entries) {
    if (!entry.usable) continue;
    const auto path = SafeRelativePath(entry.name);
    if (!path || path->is_absolute()) std::abort();
    for (const auto& part : *path) {
      if (part == "..") std::abort();
    }
  }
  return 0;
}

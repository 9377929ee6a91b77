// Loading the zip module by name and calling its functions.
#include "platform/zip_library.h"

namespace zunk {

struct ZipLibrary::Functions {};

std::unique_ptr<ZipLibrary> ZipLibrary::Load(const std::filesystem::path&) {
  return std::unique_ptr<ZipLibrary>(new ZipLibrary());
}
ZipLibrary::~ZipLibrary() = default;
bool ZipLibrary::Release() { return true; }
void ZipLibrary::OpenArchive(const std::string&) {}
std::string ZipLibrary::ListEntries() { return {}; }
std::optional<std::string> ZipLibrary::ReadEntry(const std::string&) { return std::nullopt; }
void ZipLibrary::CloseArchive() {}

}  // namespace zunk

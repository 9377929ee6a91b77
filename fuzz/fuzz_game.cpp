// The fuzz folder's copy and clean-up, and starting games for the fuzz targets.
#include "fuzz_game.h"

#include <dlfcn.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace zunk::fuzz {
namespace {

// The zip module's path; set by the build.
constexpr char kZipModule[] = ZUNK_FUZZ_ZIP_MODULE;

// Every game loads the zip module and releases it when it ends; one more reference held for
// the life of the process keeps it loaded (and its coverage counted) between games.
void KeepZipModuleLoaded() {
  static void* const handle = dlopen(kZipModule, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) throw std::runtime_error(std::string("cannot load ") + kZipModule);
}

// Where the folders go: shared memory when the system has it, as inputs write files (an
// ".img" picture's plain copy, an archive's entries) that the game syncs to disk; else the
// system's temporary folder.
fs::path TemporaryRoot() {
  std::error_code ec;
  const fs::path shared_memory = "/dev/shm";
  if (fs::is_directory(shared_memory, ec) && ::access(shared_memory.c_str(), W_OK) == 0) {
    return shared_memory;
  }
  return fs::temp_directory_path();
}

}  // namespace

FuzzFolder::FuzzFolder(const fs::path& source) {
  std::string pattern = (TemporaryRoot() / "zunk-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  if (source.empty()) return;
  fs::copy(source, path_, fs::copy_options::recursive);
  for (const auto& entry : fs::directory_iterator(path_)) copied_.insert(entry.path().filename());
}

FuzzFolder::~FuzzFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void FuzzFolder::Write(const std::string& name, std::string_view bytes) const {
  std::ofstream(path_ / name, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void FuzzFolder::RemoveAdded() const {
  std::vector<fs::path> added;
  for (const auto& entry : fs::directory_iterator(path_)) {
    if (!copied_.contains(entry.path().filename())) added.push_back(entry.path());
  }
  for (const fs::path& path : added) fs::remove_all(path);
}

fs::path PlayedGameDir() {
  return ZUNK_FUZZ_GAME_DIR;
}

FuzzGame::FuzzGame(const fs::path& dir, const std::string& base_name, std::uint64_t line_budget)
    : game_(host_, GameConfig{dir, base_name, "", (KeepZipModuleLoaded(), kZipModule)}) {
  game_.interpreter().SetLineBudget(line_budget);
  host_.Attach(&game_);
}

}  // namespace zunk::fuzz

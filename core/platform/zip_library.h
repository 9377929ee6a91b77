// The zip module ("zipdll.so", built from zip/), loaded by name when a game starts. Pictures
// shipped inside ".zip" archives are extracted through it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace zunk {

inline constexpr char kZipLibraryFile[] = "zipdll.so";

// Start-up could not complete; the message (CP1252) is for the player.
class StartupFailure : public std::runtime_error {
 public:
  explicit StartupFailure(const std::string& message) : std::runtime_error(message) {}
};

class ZipLibrary {
 public:
  // Loads the module from path when one is given, otherwise from the running program's own
  // folder and then the system's library search; a StartupFailure when it cannot be loaded
  // or lacks one of its functions.
  static std::unique_ptr<ZipLibrary> Load(const std::filesystem::path& path = {});
  ~ZipLibrary();
  ZipLibrary(const ZipLibrary&) = delete;
  ZipLibrary& operator=(const ZipLibrary&) = delete;

  // Releases the module; false when the system refuses.
  bool Release();

  void OpenArchive(const std::string& path);
  // The entry names, one per line; folders end in "\".
  std::string ListEntries();
  // An entry's bytes, nothing when it cannot be read.
  std::optional<std::string> ReadEntry(const std::string& name);
  void CloseArchive();

 private:
  ZipLibrary() = default;
  struct Functions;
  void* handle_ = nullptr;
  std::unique_ptr<Functions> functions_;
};

}  // namespace zunk

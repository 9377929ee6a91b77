// The temporary game folder the fuzz targets work in, and the games they start on it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "fuzz_host.h"
#include "game/game.h"

namespace zunk::fuzz {

// A temporary folder (in shared memory when there is one) for the life of the process,
// holding a copy of the files of a source folder (or nothing); removed with its contents at
// exit.
class FuzzFolder {
 public:
  explicit FuzzFolder(const std::filesystem::path& source = {});
  ~FuzzFolder();
  FuzzFolder(const FuzzFolder&) = delete;
  FuzzFolder& operator=(const FuzzFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes a file directly inside the folder.
  void Write(const std::string& name, std::string_view bytes) const;
  // Removes every file and folder that was added since the copy, so the next input finds the
  // folder as the first one did.
  void RemoveAdded() const;

 private:
  std::filesystem::path path_;
  std::set<std::filesystem::path> copied_;  // the names directly inside the folder
};

// The demo game as the fuzz targets play it (its screens lowered; made by zunk-fuzz-data),
// and the base name of its data files.
std::filesystem::path PlayedGameDir();
inline constexpr char kDemoBaseName[] = "farol";

// A game started on a folder as a host starts it (with the fuzz build's zip module), on a
// fuzz host attached to it for the life of this object. A line budget of 0 leaves runs
// unbounded.
class FuzzGame {
 public:
  FuzzGame(const std::filesystem::path& dir, const std::string& base_name,
           std::uint64_t line_budget = 0);
  ~FuzzGame() { host_.Attach(nullptr); }
  FuzzGame(const FuzzGame&) = delete;
  FuzzGame& operator=(const FuzzGame&) = delete;

  Game& game() { return game_; }
  FuzzHost& host() { return host_; }

 private:
  FuzzHost host_;
  Game game_;
};

}  // namespace zunk::fuzz

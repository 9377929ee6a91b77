// The updater's work, without a window: checking the access code, waiting for the game to
// end, bringing every file on both update lists up to date (the size check of "Atualizar",
// names confined to the game folder, each file written atomically) and starting the game
// again.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/curl_http.h"
#include "platform/game_folder.h"
#include "updater_command.h"

namespace zunk {

// The code is "9k41p2w " followed by the base name of a game that the folder holds.
bool AccessCodeValid(const UpdaterCommand& command);

// Waits until the process has ended (or is only a zombie); false when it still runs after
// the limit.
bool WaitForProcessEnd(long pid, std::chrono::milliseconds limit);

struct UpdaterOutcome {
  bool lists_read = false;  // both lists arrived
  std::size_t checked = 0;
  std::size_t fetched = 0;
  std::size_t failed = 0;
};

// Called before each file: its name (CP1252), how many files were looked at, how many there
// are.
using UpdaterProgress =
    std::function<void(const std::string& name, std::size_t done, std::size_t total)>;

UpdaterOutcome UpdateGameFiles(const GameFolder& folder, const std::string& url_utf8,
                               const Credentials& credentials, const HttpLimits& limits,
                               const UpdaterProgress& progress);

// Starts the game again in a session of its own; false when it could not be started.
bool RestartGame(const std::vector<std::string>& command);

}  // namespace zunk

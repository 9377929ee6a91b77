// The commands of time and of the world outside the scripts: the two timers, the waits, the
// special script names, the base URL, a plain fetch, and restart.
#pragma once

#include <cstdint>
#include <string_view>

#include "script/command_table.h"

namespace zunk {

class Game;

// Runs one of timer=, runtime, pausa, delay, fncdef, url, download, restart.
std::int32_t TimerCommand(Game& game, Command command, std::string_view args);

}  // namespace zunk

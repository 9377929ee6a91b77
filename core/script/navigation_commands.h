// The location commands: exits, setting and testing Local, moving (irpara, ifgo) and
// reloading the location's script.
#pragma once

#include <cstdint>
#include <string_view>

#include "script/command_table.h"

namespace zunk {

class Game;

// Runs one navigation command; returns the next-line value.
std::int32_t NavigationCommand(Game& game, Command command, std::string_view args);

}  // namespace zunk

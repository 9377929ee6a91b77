// The object commands: tests of where an object is, the plain and the checked take, drop and
// put-into commands, creating objects, changing their fields and flags, counting them, and
// redrawing an object panel (objs).
#pragma once

#include <cstdint>
#include <string_view>

#include "script/command_table.h"

namespace zunk {

class Game;

// Runs one object command; returns the next-line value (a jump for the tests).
std::int32_t ObjectCommand(Game& game, Command command, std::string_view args);

}  // namespace zunk

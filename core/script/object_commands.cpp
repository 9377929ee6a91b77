// Object command bodies.
#include "script/object_commands.h"

#include "game/game.h"

namespace zunk {

std::int32_t ObjectCommand(Game& game, Command command, std::string_view args) {
  (void)game;
  (void)command;
  (void)args;
  return kNextLine;
}

}  // namespace zunk

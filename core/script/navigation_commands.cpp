// Navigation command bodies and the move to a location with its exit section.
#include "script/navigation_commands.h"

#include "game/game.h"

namespace zunk {

void Interpreter::GoToLocation(const std::string& name) {
  (void)name;
}

std::int32_t NavigationCommand(Game& game, Command command, std::string_view args) {
  (void)game;
  (void)command;
  (void)args;
  return kNextLine;
}

}  // namespace zunk

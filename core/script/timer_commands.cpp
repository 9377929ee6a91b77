// Timer, wait and game-reset command bodies, and the periodic timer's run over its lines.
#include "script/timer_commands.h"

#include "game/game.h"

namespace zunk {

void Interpreter::RunTimerTick() {}

std::int32_t TimerCommand(Game& game, Command command, std::string_view args) {
  (void)game;
  (void)command;
  (void)args;
  return kNextLine;
}

}  // namespace zunk

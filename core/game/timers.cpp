// The clock tick with its countdown script, and the periodic timer's tick.
#include "game/timers.h"

#include "game/game.h"

namespace zunk {

void SetClockTimer(Game& game, bool on) {
  game.timers().clock_on = on;
  game.host().SetClockTimer(on);
}

void SetPeriodicTimer(Game& game, bool on, std::uint32_t interval_ms) {
  Timers& timers = game.timers();
  timers.periodic_on = on;
  if (on) timers.periodic_interval = interval_ms;
  game.host().SetPeriodicTimer(on, timers.periodic_interval);
}

void RunClockTick(Game& game) {
  (void)game;
}

void RunPeriodicTick(Game& game) {
  (void)game;
}

}  // namespace zunk

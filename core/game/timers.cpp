// The clock tick with its countdown script, and the periodic timer's tick.
#include "game/timers.h"

#include "game/game.h"

namespace zunk {
namespace {

// One step of a clock register; registers wrap at 32 bits like every register sum.
std::int32_t Next(std::int32_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) + 1u);
}

}  // namespace

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
  if (!game.timers().clock_on) return;
  World& world = game.world();
  auto& reg = world.reg;
  // Each unit rolls over only when it reaches its limit exactly: a seconds register set past
  // 60 counts on.
  reg[kRegSeconds] = Next(reg[kRegSeconds]);
  if (reg[kRegSeconds] == 60) {
    reg[kRegSeconds] = 0;
    reg[kRegMinutes] = Next(reg[kRegMinutes]);
    if (reg[kRegMinutes] == 60) {
      reg[kRegMinutes] = 0;
      reg[kRegHours] = Next(reg[kRegHours]);
      if (reg[kRegHours] == 24) {
        reg[kRegHours] = 0;
        reg[kRegDays] = Next(reg[kRegDays]);
      }
    }
  }
  if (reg[kRegCountdown] > 0) --reg[kRegCountdown];
  Timers& timers = game.timers();
  if (reg[kRegCountdown] == 0 && !world.fncdef[10].empty() && !timers.countdown_running) {
    // A copy: the countdown script may rename itself.
    const std::string countdown = world.fncdef[10];
    timers.countdown_running = true;
    struct RunEnds {
      bool& running;
      ~RunEnds() { running = false; }
    } run_ends{timers.countdown_running};
    game.interpreter().RunScript(countdown);
  }
}

void RunPeriodicTick(Game& game) {
  if (!game.timers().periodic_on) return;
  game.interpreter().RunTimerTick();
}

}  // namespace zunk

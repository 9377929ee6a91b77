// The two window timers as the core sees them: the one-second clock (Timer1) and the
// periodic script timer (Timer2). The host schedules them; the core keeps their state and
// handles their ticks (Game::ClockTick, Game::PeriodicTick).
#pragma once

#include <cstdint>

namespace zunk {

class Game;

inline constexpr std::uint32_t kClockInterval = 1000;

struct Timers {
  bool clock_on = false;                // Timer1
  bool periodic_on = false;             // Timer2
  std::uint32_t periodic_interval = 0;  // Timer2's interval in milliseconds
  // A clock tick's start of the countdown script FncDef[10] is still running (it waits, or
  // a run it started does): later ticks keep the clock registers but do not start it again.
  bool countdown_running = false;
};

// Switch a timer and tell the host.
void SetClockTimer(Game& game, bool on);
void SetPeriodicTimer(Game& game, bool on, std::uint32_t interval_ms);

// The tick bodies (guarded by Game::ClockTick / Game::PeriodicTick).
void RunClockTick(Game& game);
void RunPeriodicTick(Game& game);

}  // namespace zunk

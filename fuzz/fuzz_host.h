// The host the fuzz targets start games on: a virtual clock that every pump, tick count and
// sleep moves on, so waits and effect steps take no real time; a bounded number of timer
// ticks fired from the pumps, so timer runs start inside the runs that wait; HTTP that fails
// at once; text drawing that only marks the pixel where text would start.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host.h"

namespace zunk {

class Game;

namespace fuzz {

// How far the clock moves at each pump and each tick count: over an hour, so a wait ends
// after a few pumps and a timer that is on is due at every pump.
inline constexpr std::uint32_t kPumpStep = 1u << 22;

// Ticks of each timer one game may get from the pumps; later pumps only move the clock.
inline constexpr int kTimerTicksPerGame = 16;

class FuzzHost : public Host {
 public:
  // The game whose timers the pumps tick; nullptr while none is running.
  void Attach(Game* game) { game_ = game; }

  // Moves the clock on, then ticks each timer that is on (while ticks are left).
  void PumpEvents() override;
  std::uint32_t TickCount() override;
  void Sleep(std::uint32_t milliseconds) override { clock_ += milliseconds; }
  HttpResult HttpGet(const HttpRequest& request) override;
  void SetLamp(Lamp) override {}
  void ShowError(const std::string&) override {}
  void DrawText(Picture& picture, int x, int y, const std::string& text, const Font& font) override;
  void SetClockTimer(bool on) override { clock_timer_on_ = on; }
  void SetPeriodicTimer(bool on, std::uint32_t) override { periodic_timer_on_ = on; }

 private:
  Game* game_ = nullptr;
  std::uint32_t clock_ = 0;
  bool clock_timer_on_ = false;
  bool periodic_timer_on_ = false;
  int clock_ticks_left_ = kTimerTicksPerGame;
  int periodic_ticks_left_ = kTimerTicksPerGame;
};

}  // namespace fuzz
}  // namespace zunk

// The fuzz host's clock, timer ticks and stand-ins for the outside world.
#include "fuzz_host.h"

#include "game/game.h"

namespace zunk::fuzz {

void FuzzHost::PumpEvents() {
  clock_ += kPumpStep;
  if (game_ == nullptr) return;
  // The game is looked at again after each tick: a tick may switch the other timer.
  if (clock_timer_on_ && clock_ticks_left_ > 0) {
    --clock_ticks_left_;
    game_->ClockTick();
  }
  if (periodic_timer_on_ && periodic_ticks_left_ > 0) {
    --periodic_ticks_left_;
    game_->PeriodicTick();
  }
}

std::uint32_t FuzzHost::TickCount() {
  clock_ += kPumpStep;
  return clock_;
}

HttpResult FuzzHost::HttpGet(const HttpRequest&) {
  HttpResult result;
  result.error = "no network while fuzzing";
  return result;
}

void FuzzHost::DrawText(Picture& picture, int x, int y, const std::string& text, const Font& font) {
  if (text.empty() || x < 0 || y < 0 || x >= picture.width() || y >= picture.height()) return;
  picture.SetPixel(x, y, font.colour);
}

}  // namespace zunk::fuzz

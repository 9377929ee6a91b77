// Hover, press, release and drag-scrolling on Tela, and the ten link actions.
#include "screen/screen_mouse.h"

#include "game/game.h"

namespace zunk {

void PointerMove(Game& game, std::int32_t x, std::int32_t y) {
  (void)game;
  (void)x;
  (void)y;
}

void PointerPress(Game& game, std::int32_t x, std::int32_t y) {
  (void)game;
  (void)x;
  (void)y;
}

void PointerRelease(Game& game, std::int32_t x, std::int32_t y) {
  (void)game;
  (void)x;
  (void)y;
}

}  // namespace zunk

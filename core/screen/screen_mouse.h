// The pointer over the picture screen: hover finds the link under the pointer, a press
// starts its action, a release finishes a two-state button, and a held button drag-scrolls
// the screen in modes 1 and 2.
#pragma once

#include <cstdint>
#include <string>

namespace zunk {

class Game;

struct ScreenMouse {
  bool pointer_down = false;  // PointerDown
  std::int32_t last_x = 0;    // last pointer position
  std::int32_t last_y = 0;
  bool pointer_hidden = false;  // hidden by drag-scrolling and not yet shown again
  std::string labobj1;          // Labobj1's caption: link 0's screen x in mode 2
};

// Pointer events of Tela, in Tela coordinates.
void PointerMove(Game& game, std::int32_t x, std::int32_t y);
void PointerPress(Game& game, std::int32_t x, std::int32_t y);
void PointerRelease(Game& game, std::int32_t x, std::int32_t y);

}  // namespace zunk

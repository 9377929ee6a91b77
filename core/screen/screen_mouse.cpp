// Hover, press, release and drag-scrolling on Tela.
#include "screen/screen_mouse.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "game/game.h"
#include "screen/link_actions.h"
#include "screen/screen_commands.h"

namespace zunk {
namespace {

// Positions are worked out in 64 bits: link fields and scroll offsets are any 32-bit values.
bool Between(std::int64_t value, std::int64_t low, std::int64_t high) {
  return low <= value && value <= high;
}

std::int32_t ToRegister(std::int64_t value) {
  return static_cast<std::int32_t>(value);
}

std::int32_t Saturate(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// A link's left edge on Tela in mode 2. A link that lies wholly left of the window's start is
// seen again after the picture's right edge, once that edge has come into view.
std::int64_t PanoramaX(const Link& link, const Screen& screen) {
  const std::int64_t right = std::int64_t{screen.screen_buffer.width()} - screen.scroll_x;
  const std::int64_t x = std::int64_t{link.x} - screen.scroll_x;
  if (right <= screen.tela.width() && x <= -std::int64_t{link.width}) return link.x + right;
  return x;
}

// The link under the pointer, the highest index winning; -1 when none. In mode 2 it also
// puts link 0's screen x into Labobj1.
std::int32_t LinkAt(Game& game, std::int32_t x, std::int32_t y) {
  const Screen& screen = game.screen();
  std::int32_t found = -1;
  for (std::int32_t i = 0; i < kLinkCount; ++i) {
    const Link& link = game.links().links[i];
    bool inside = false;
    if (screen.screen_mode == 2) {
      const std::int64_t left = PanoramaX(link, screen);
      if (i == 0) game.mouse().labobj1 = std::to_string(left);
      inside = Between(x, left, left + link.width) &&
               Between(y, link.y, std::int64_t{link.y} + link.height);
    } else {
      const std::int64_t left = std::int64_t{link.x} - screen.scroll_x;
      const std::int64_t top = std::int64_t{link.y} - screen.scroll_y;
      inside = Between(x, left, left + link.width) && Between(y, top, top + link.height);
    }
    if (link.active && inside) found = i;
  }
  return found;
}

// Mode 1: the window follows the pointer and stays inside the picture (at 0, 0 when the
// picture is smaller than Tela).
std::int32_t PanningScroll(std::int64_t scroll, std::int64_t delta, std::int64_t picture_size,
                           std::int64_t tela_size) {
  const std::int64_t highest = std::max<std::int64_t>(0, picture_size - tela_size);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(scroll - delta, 0, highest));
}

// Mode 2: the window wraps round the picture's width.
std::int32_t PanoramaScroll(std::int64_t scroll, std::int64_t delta, std::int64_t width) {
  std::int64_t next = scroll - delta;
  if (next < 0) next += width;
  if (next > width) next -= width;
  // Jumps longer than the picture (or a window left far outside it) wrap as often as needed.
  if (width > 0 && (next < 0 || next > width)) next = (next % width + width) % width;
  return Saturate(next);
}

void DragScroll(Game& game, std::int32_t x, std::int32_t y) {
  Screen& screen = game.screen();
  ScreenMouse& mouse = game.mouse();
  if (!mouse.pointer_hidden) {
    game.host().HidePointer();
    mouse.pointer_hidden = true;
  }
  const std::int64_t dx = std::int64_t{x} - mouse.last_x;
  const std::int64_t dy = std::int64_t{y} - mouse.last_y;
  const int width = screen.screen_buffer.width();
  if (screen.screen_mode == 1) {
    screen.scroll_x = PanningScroll(screen.scroll_x, dx, width, screen.tela.width());
    screen.scroll_y =
        PanningScroll(screen.scroll_y, dy, screen.screen_buffer.height(), screen.tela.height());
  } else {
    screen.scroll_x = PanoramaScroll(screen.scroll_x, dx, width);
  }
  RefreshScreen(game);
  mouse.last_x = x;
  mouse.last_y = y;
}

}  // namespace

void PointerMove(Game& game, std::int32_t x, std::int32_t y) {
  LinkTable& table = game.links();
  table.current = LinkAt(game, x, y);
  const Link* current = table.Current();
  game.host().SetScreenPointer(current ? current->cursor_code : 0);
  if (game.mouse().pointer_down && game.screen().screen_mode != 0) DragScroll(game, x, y);
}

void PointerPress(Game& game, std::int32_t x, std::int32_t y) {
  ScreenMouse& mouse = game.mouse();
  mouse.last_x = x;
  mouse.last_y = y;
  mouse.pointer_down = true;
  auto& reg = game.world().reg;
  reg[kRegLinkX] = -1;
  reg[kRegLinkY] = -1;
  reg[kRegPointerX] = x;
  reg[kRegPointerY] = y;
  const Link* current = game.links().Current();
  if (!current) return;
  const Link link = *current;
  reg[kRegLinkX] = ToRegister(std::int64_t{x} - link.x);
  reg[kRegLinkY] = ToRegister(std::int64_t{y} - link.y);
  StartLinkAction(game, link);
}

void PointerRelease(Game& game, std::int32_t /*x*/, std::int32_t /*y*/) {
  ScreenMouse& mouse = game.mouse();
  mouse.pointer_down = false;
  if (mouse.pointer_hidden) {
    game.host().RestorePointer();
    mouse.pointer_hidden = false;
  }
  const Link* current = game.links().Current();
  if (!current || current->action_code != kLinkButton) return;
  const Link link = *current;
  ReleaseButtonLink(game, link);
}

}  // namespace zunk

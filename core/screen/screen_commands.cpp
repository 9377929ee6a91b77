// Screen composition: RefreshScreen and refresh, clear, tela, shape, frame, hud=, telmod.
#include "screen/screen_commands.h"

#include <cstdint>
#include <optional>

#include "game/game.h"
#include "screen/colour_text.h"
#include "script/operands.h"

namespace zunk {
namespace {

// The next comma-separated field, or nothing (with rest untouched) when no comma is left:
// shape needs both of its numbers to be followed by a comma.
std::optional<std::string_view> TakeRequiredField(std::string_view& rest) {
  const std::size_t comma = rest.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::string_view field = rest.substr(0, comma);
  rest.remove_prefix(comma + 1);
  return field;
}

// Mode 1: the Tela-sized window at ScrollX, ScrollY. Whatever of it lies outside the screen
// picture shows black.
void ComposePanning(Screen& screen) {
  CopyRect(screen.view_buffer, 0, 0, screen.screen_buffer, screen.scroll_x, screen.scroll_y,
           screen.tela.width(), screen.tela.height());
}

// Mode 2: the window at ScrollX, with the picture's left edge following its right edge.
// ScrollX outside 0..W-1 is taken modulo W; a picture narrower or lower than Tela leaves
// black where it ends; an empty picture shows black.
void ComposePanorama(Screen& screen) {
  const int tw = screen.tela.width();
  const int th = screen.tela.height();
  const int w = screen.screen_buffer.width();
  if (w == 0) {
    screen.view_buffer.Fill(kBlack);
    return;
  }
  int scroll = static_cast<int>(screen.scroll_x % w);
  if (scroll < 0) scroll += w;
  const int right = w - scroll;
  if (right > tw) {
    CopyRect(screen.view_buffer, 0, 0, screen.screen_buffer, scroll, 0, tw, th);
    return;
  }
  CopyRect(screen.view_buffer, 0, 0, screen.screen_buffer, scroll, 0, right, th);
  CopyRect(screen.view_buffer, right, 0, screen.screen_buffer, 0, 0, tw - right, th);
}

}  // namespace

void RefreshScreen(Game& game) {
  Screen& screen = game.screen();
  const int tw = screen.tela.width();
  const int th = screen.tela.height();
  if (screen.screen_mode == 0) {
    if (screen.hud_on) {
      const Picture& hud = screen.hud_picture;
      DrawKeyed(screen.screen_buffer, hud, screen.hud_x, screen.hud_y, 0, 0, hud.width(),
                hud.height(), hud.width(), hud.height());
    }
    CopyRect(screen.tela, 0, 0, screen.screen_buffer, 0, 0, tw, th);
    game.host().ShowScreen();
    if (screen.hud_on && screen.hud_restore) LoadScreen(game, screen.screen_name);
    return;
  }
  if (screen.view_buffer.width() != tw || screen.view_buffer.height() != th) {
    screen.view_buffer.Reset(tw, th, kBlack);
  }
  if (screen.screen_mode == 2) {
    ComposePanorama(screen);
  } else {
    ComposePanning(screen);
  }
  CopyRect(screen.tela, 0, 0, screen.view_buffer, 0, 0, tw, th);
  game.host().ShowScreen();
}

void ClearCommand(Game& game, std::string_view args) {
  Screen& screen = game.screen();
  screen.buffer_fill = ClearColourOf(args);
  screen.screen_buffer.FillRect(0, 0, screen.tela.width(), screen.tela.height(),
                                screen.buffer_fill);
}

void TelaCommand(Game& game, std::string_view args) {
  if (args.empty()) return;
  LoadScreen(game, args);
}

void ShapeCommand(Game& game, std::string_view args) {
  const World& world = game.world();
  Screen& screen = game.screen();
  const auto x = TakeRequiredField(args);
  if (!x) return;
  const auto y = TakeRequiredField(args);
  if (!y) return;
  screen.shape_x = ValueOf(world, *x);
  screen.shape_y = ValueOf(world, *y);
  if (args != screen.shape_name) {
    if (!LoadPicture(game, screen.shape_picture, args)) return;
    screen.shape_name = std::string(args);
  }
  const Picture& shape = screen.shape_picture;
  DrawKeyed(screen.screen_buffer, shape, screen.shape_x, screen.shape_y, 0, 0, shape.width(),
            shape.height(), shape.width(), shape.height());
}

void FrameCommand(Game& game, std::string_view args) {
  const World& world = game.world();
  Screen& screen = game.screen();
  Fields fields(args);
  // Each number is read even without a comma after it; the text running out after any of
  // them ends the command.
  std::int32_t numbers[4];
  for (std::int32_t& number : numbers) {
    number = ValueOf(world, fields.Take());
    if (fields.rest().empty()) return;
  }
  const auto [index, x, y, count] = numbers;
  screen.frame_index = index;
  screen.frame_x = x;
  screen.frame_y = y;
  screen.frame_count = count;
  const std::string_view name = fields.rest();
  if (name != screen.frame_name) {
    if (!LoadPicture(game, screen.frame_picture, name)) return;
    screen.frame_name = std::string(name);
  }
  // A strip of no cells (or a negative number of them) has nothing to draw.
  if (count <= 0) return;
  const Picture& strip = screen.frame_picture;
  const int cell_width = strip.width() / count;
  const auto cell_x = static_cast<std::int16_t>(static_cast<std::int64_t>(cell_width) * index);
  DrawKeyed(screen.screen_buffer, strip, x, y, cell_x, 0, cell_width, strip.height(), cell_width,
            strip.height());
}

void HudCommand(Game& game, std::string_view args) {
  Screen& screen = game.screen();
  if (args.empty() || args == "off") {
    screen.hud_on = false;
    return;
  }
  if (args == "#-" || args == "#+") {
    screen.hud_restore = args == "#+";
    return;
  }
  if (args == "on" && !screen.hud_name.empty()) {
    screen.hud_on = true;
    return;
  }
  // Anything else (a first "on" included) is x, y and a file name.
  Fields fields(args);
  screen.hud_x = static_cast<std::int16_t>(ValueOf(game.world(), fields.Take()));
  screen.hud_y = static_cast<std::int16_t>(ValueOf(game.world(), fields.Take()));
  const std::string_view name = fields.rest();
  if (name != screen.hud_name) {
    screen.hud_on = false;
    if (!LoadPicture(game, screen.hud_picture, name)) return;
    screen.hud_name = std::string(name);
  }
  screen.hud_on = true;
}

void TelmodCommand(Game& game, std::string_view args) {
  if (args.empty()) return;
  Screen& screen = game.screen();
  screen.scroll_x = 0;
  screen.scroll_y = 0;
  if (args == "0") {
    screen.view_buffer = Picture();
    screen.screen_mode = 0;
  } else if (args == "1" || args == "2") {
    if (screen.screen_mode == 0) {
      screen.view_buffer.Reset(screen.tela.width(), screen.tela.height(), kBlack);
    }
    screen.screen_mode = args == "1" ? 1 : 2;
  }
}

}  // namespace zunk

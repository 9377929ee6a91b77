// Text on the screen: print, display, sombra, tfont= and mfont=.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "game/game.h"
#include "screen/colour_text.h"
#include "screen/screen_commands.h"
#include "script/operands.h"

namespace zunk {
namespace {

int ShiftedBy(std::int32_t position, std::int32_t offset) {
  const std::int64_t sum = std::int64_t{position} + offset;
  return static_cast<int>(std::clamp<std::int64_t>(sum, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

// x, y and the text of print and display, drawn onto the picture in the font: the shadow
// first when one is set, then the text itself. The text is drawn as written, commas and
// blanks included.
void DrawScreenText(Game& game, Picture& onto, const Font& font, std::string_view args) {
  if (args.empty()) return;
  Fields fields(args);
  const std::int32_t x = ValueOf(game.world(), fields.Take());
  if (fields.rest().empty()) return;
  const std::int32_t y = ValueOf(game.world(), fields.Take());
  if (fields.rest().empty()) return;
  const std::string text(fields.rest());
  const Screen& screen = game.screen();
  if (screen.shadow_dx != 0 || screen.shadow_dy != 0) {
    Font shadow = font;
    shadow.colour = screen.shadow_colour;
    game.host().DrawText(onto, ShiftedBy(x, screen.shadow_dx), ShiftedBy(y, screen.shadow_dy), text,
                         shadow);
  }
  game.host().DrawText(onto, x, y, text, font);
}

}  // namespace

void PrintCommand(Game& game, std::string_view args) {
  Screen& screen = game.screen();
  DrawScreenText(game, screen.screen_buffer, screen.buffer_font, args);
}

void DisplayCommand(Game& game, std::string_view args) {
  Screen& screen = game.screen();
  if (args.empty()) return;
  DrawScreenText(game, screen.tela, screen.tela_font, args);
  game.host().ShowScreen();
}

void SombraCommand(Game& game, std::string_view args) {
  if (args.empty()) return;
  Screen& screen = game.screen();
  Fields fields(args);
  screen.shadow_dx = ValueOf(game.world(), fields.Take());
  if (fields.rest().empty()) return;
  screen.shadow_dy = ValueOf(game.world(), fields.Take());
  if (fields.rest().empty()) return;
  screen.shadow_colour = ShadowColourOf(fields.rest());
}

void FontCommand(Game& game, std::string_view args, Font& into) {
  if (args.empty()) return;
  Font font;
  Fields fields(args);
  font.size = ValueOf(game.world(), fields.Take());
  // Three style characters, a separator, then the colour and the name.
  std::string_view descriptor = fields.rest();
  if (descriptor.empty()) descriptor = "biu,$000000,arial";
  font.bold = descriptor.size() > 0 && descriptor[0] == 'B';
  font.italic = descriptor.size() > 1 && descriptor[1] == 'I';
  font.underline = descriptor.size() > 2 && descriptor[2] == 'U';
  std::string_view colour_and_name = descriptor.size() > 4 ? descriptor.substr(4) : "";
  if (colour_and_name.empty()) colour_and_name = "$000000,arial";
  // Without a comma the whole text is the colour and the name stays the default.
  const std::size_t comma = colour_and_name.find(',');
  font.colour = FontColourOf(colour_and_name.substr(0, comma));
  const std::string_view name =
      comma == std::string_view::npos ? std::string_view() : colour_and_name.substr(comma + 1);
  font.name = name.empty() ? "arial" : std::string(name);
  into = font;
}

}  // namespace zunk

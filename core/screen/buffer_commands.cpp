// The image buffers: bufx and bufy.
#include "game/game.h"
#include "screen/screen_commands.h"
#include "script/operands.h"

namespace zunk {

void BufferCommand(Game& game, Picture& buffer, std::string_view args) {
  if (args.empty()) return;
  // The sub-command needs a comma after it and at least one character after that.
  const std::size_t comma = args.find(',');
  if (comma == std::string_view::npos) return;
  const std::string_view command = args.substr(0, comma);
  const std::string_view field_text = args.substr(comma + 1);
  if (field_text.empty()) return;
  if (command == "load") {
    LoadPicture(game, buffer, field_text);
    return;
  }
  // A number not followed by a comma reads as 0: "getbuf,0,100" gives y = 0.
  Fields fields(field_text);
  const std::int32_t x = ValueOf(game.world(), fields.Take());
  const std::int32_t y = ValueOf(game.world(), fields.Take());
  Screen& screen = game.screen();
  const int tw = screen.tela.width();
  const int th = screen.tela.height();
  if (command == "getbuf") {
    CopyRect(buffer, x, y, screen.screen_buffer, 0, 0, tw, th);
  } else if (command == "putbuf") {
    CopyRect(screen.screen_buffer, 0, 0, buffer, x, y, tw, th);
  } else if (command == "drawbuf" || command == "draw") {
    DrawKeyed(screen.screen_buffer, buffer, x, y, 0, 0, tw, th, tw, th);
  } else if (command == "setbuf") {
    buffer.Reset(tw, th, kWhite);
  }
}

}  // namespace zunk

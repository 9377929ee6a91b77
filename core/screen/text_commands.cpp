// Text on the screen: print, display, sombra, tfont= and mfont=.
#include "game/game.h"
#include "screen/screen_commands.h"

namespace zunk {

void PrintCommand(Game&, std::string_view) {}
void DisplayCommand(Game&, std::string_view) {}
void SombraCommand(Game&, std::string_view) {}
void FontCommand(Game&, std::string_view, Font&) {}

}  // namespace zunk

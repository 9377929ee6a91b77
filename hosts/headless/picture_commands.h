// Console commands of the headless player that look at pictures: saving Tela, ScreenBuffer
// and the object panels as PNG files, and listing the panels' slots.
#pragma once

#include <ostream>
#include <string>

#include "game/game.h"

namespace zunk {

// Runs "!screen FILE", "!buffer FILE", "!panels" or "!panel loc|jog FILE"; false when the
// command is none of them. Paths are the console user's (UTF-8, relative to the current
// folder). Mistakes and failures print "aviso: ..." lines (UTF-8) to out.
bool RunPictureCommand(Game& game, const std::string& command, const std::string& utf8_argument,
                       std::ostream& out);

}  // namespace zunk

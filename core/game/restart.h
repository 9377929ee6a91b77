// restart: a new game over the same folder. The data files are read again, the registers,
// their names and the special scripts are reset, and the screen's extras are put away; the
// location, the exits, the scripts being run and the clock are left as they are.
#pragma once

#include <string_view>

namespace zunk {

class Game;

// Resets the game; a non-empty start_script becomes FncDef[1] for the next start (it is not
// run).
void RestartGame(Game& game, std::string_view start_script);

}  // namespace zunk

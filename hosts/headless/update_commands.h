// Console commands of the headless player for the settings page's update controls: the two
// "Atualizar" buttons, the version check and "Baixar nova versão".
#pragma once

#include <ostream>
#include <string>

#include "game/game.h"

namespace zunk {

// Runs "!atualizar scripts|arquivos", "!versao" or "!baixar"; false when the command is none
// of them. Prints what the controls show (UTF-8); ended is set when the game should end.
bool RunUpdateCommand(Game& game, const std::string& command, const std::string& argument,
                      std::ostream& out, bool& ended);

}  // namespace zunk

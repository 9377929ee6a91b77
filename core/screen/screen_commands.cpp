// Screen composition: RefreshScreen and refresh, clear, tela, shape, frame, hud=, telmod.
#include "screen/screen_commands.h"

#include "game/game.h"

namespace zunk {

void RefreshScreen(Game&) {}
void ClearCommand(Game&, std::string_view) {}
void TelaCommand(Game&, std::string_view) {}
void ShapeCommand(Game&, std::string_view) {}
void FrameCommand(Game&, std::string_view) {}
void HudCommand(Game&, std::string_view) {}
void TelmodCommand(Game&, std::string_view) {}

}  // namespace zunk

// The script commands of the picture screen, its text, the image buffers and the effects, and
// RefreshScreen, which shows the composed screen in Tela.
#pragma once

#include <string_view>

#include "screen/font.h"
#include "screen/picture.h"

namespace zunk {

class Game;

// Composition (screen_commands.cpp).
void RefreshScreen(Game& game);
void ClearCommand(Game& game, std::string_view args);
void TelaCommand(Game& game, std::string_view args);
void ShapeCommand(Game& game, std::string_view args);
void FrameCommand(Game& game, std::string_view args);
void HudCommand(Game& game, std::string_view args);
void TelmodCommand(Game& game, std::string_view args);

// Text on the screen (text_commands.cpp).
void PrintCommand(Game& game, std::string_view args);
void DisplayCommand(Game& game, std::string_view args);
void SombraCommand(Game& game, std::string_view args);
// tfont= (into ScreenBuffer's font) and mfont= (into the message window's font).
void FontCommand(Game& game, std::string_view args, Font& into);

// bufx and bufy (buffer_commands.cpp).
void BufferCommand(Game& game, Picture& buffer, std::string_view args);

// efeito (effects/effect_command.cpp).
void EffectCommand(Game& game, std::string_view args);

}  // namespace zunk

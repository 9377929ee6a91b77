// efeito: parameter reading and the animation loops of the transitions.
#include "game/game.h"
#include "screen/screen_commands.h"

namespace zunk {

void EffectCommand(Game&, std::string_view) {}

}  // namespace zunk

// The image buffers: bufx and bufy.
#include "game/game.h"
#include "screen/screen_commands.h"

namespace zunk {

void BufferCommand(Game&, Picture&, std::string_view) {}

}  // namespace zunk

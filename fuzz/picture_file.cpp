// A picture file loaded from fuzz input through the game's picture loader.
#include "picture_file.h"

#include <string>

#include "fuzz_game.h"
#include "screen/picture_loader.h"

namespace zunk::fuzz {

void LoadPictureFile(std::string_view name, std::string_view bytes) {
  static const FuzzFolder folder;
  // One game for every input, never ended: ending it at exit would close the zip module's
  // archive after the module's own state is gone.
  static FuzzGame* const fuzz_game = new FuzzGame(folder.path(), "fuzz");
  Game& game = fuzz_game->game();
  folder.Write(std::string(name), bytes);
  Picture picture;
  game.Guarded([&] { LoadPicture(game, picture, name); });
  folder.RemoveAdded();
}

}  // namespace zunk::fuzz

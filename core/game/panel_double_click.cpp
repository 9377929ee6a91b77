// A double click on an object panel: examines the object, or opens what its Prg names (a web
// page, a script or a picture for the screen).
#include <cstring>
#include <string>

#include "game/game.h"
#include "game/panel_mouse.h"
#include "screen/picture_loader.h"
#include "screen/screen_commands.h"
#include "script/script_codec.h"
#include "web/web_pages.h"

namespace zunk {
namespace {

bool Holds(const std::string& text, const char* piece) {
  return text.find(piece) != std::string::npos;
}

void OpenPrg(Game& game, const std::string& prg) {
  if (Holds(prg, ".exe")) {
    // Starting the object's program on a module channel is not supported yet.
    return;
  }
  if (Holds(prg, ".htm")) {
    OpenGamePage(game, prg);
    return;
  }
  if (Holds(prg, kScriptExt)) {
    game.links().DeactivateAll();
    game.interpreter().RunScript(prg.substr(0, prg.size() - std::strlen(kScriptExt)));
    return;
  }
  if (LoadScreen(game, prg)) {
    RefreshScreen(game);
    game.links().DeactivateAll();
  }
}

}  // namespace

void PanelDoubleClick(Game& game, Panel panel) {
  game.Guarded([&] {
    const int object = game.panel_mouse().current_object[PanelIndex(panel)];
    if (object <= 0 || !game.world().HasObject(object - 1)) return;
    const int record = object - 1;
    // A copy: what it opens may rewrite the object's record.
    const std::string prg = game.world().ObjectLine(record, kPrg);
    if (prg.empty()) {
      game.frase = "EXAMINE " + NamedObject(game, record);
      game.parser().Parse();
      return;
    }
    // Every kind names a file of the game folder (or a page under the game's address); a name
    // that would lead outside it opens nothing.
    if (!SafeRelativePath(prg)) return;
    OpenPrg(game, prg);
  });
}

}  // namespace zunk

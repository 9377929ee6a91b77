// The sentences the object panels build: an object named with its article, and what a drop
// of a dragged object says ("SOLTE ...", "PEGUE ...", "COLOQUE ... N...").
#include <string>

#include "game/game.h"
#include "game/panel_mouse.h"
#include "game/world/object_flags.h"

namespace zunk {

std::string ArticleOf(const Game& game, int record) {
  const World& world = game.world();
  // Position 3 '.' is masculine, position 7 'X' plural.
  std::string article = ObjectFlag(world, record, 3) == '.' ? "O" : "A";
  if (ObjectFlag(world, record, 7) == 'X') article += 'S';
  article += ' ';
  return article;
}

std::string NamedObject(const Game& game, int record) {
  return ArticleOf(game, record) + game.world().ObjectLine(record, kPlvr);
}

std::string DropSentence(Game& game, int dragged_record, std::int32_t x, std::int32_t y) {
  if (dragged_record < 0) return {};
  const int dragged = dragged_record / kObjectRecordLines;
  // Dropped onto the picture screen: put down, even an object lying here.
  if (kAbookRect.Contains(x, y)) return "SOLTE " + NamedObject(game, dragged);
  for (const Panel panel : {Panel::Loc, Panel::Jog}) {
    const WindowRect rect = PanelRect(panel);
    if (!rect.Contains(x, y)) continue;
    const int target = ObjectAt(game, panel, std::int64_t{x} - rect.x, std::int64_t{y} - rect.y);
    if (target == dragged + 1) return {};
    if (target == 0) {
      return (panel == Panel::Loc ? "SOLTE " : "PEGUE ") + NamedObject(game, dragged);
    }
    // " N" and the article make NO, NA, NOS, NAS ("into the").
    return "COLOQUE " + NamedObject(game, dragged) + " N" + NamedObject(game, target - 1);
  }
  return {};
}

}  // namespace zunk

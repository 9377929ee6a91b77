// Drawing the object panels and recording which object sits in which cell.
#include "game/object_panels.h"

#include "game/game.h"

namespace zunk {

void RedrawPanel(Game&, Panel) {}
void RedrawPanels(Game& game) {
  RedrawPanel(game, Panel::Loc);
  RedrawPanel(game, Panel::Jog);
}

}  // namespace zunk

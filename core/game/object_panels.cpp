// Drawing the object panels and recording which object sits in which cell.
#include "game/object_panels.h"

#include "game/game.h"
#include "script/script_fault.h"

namespace zunk {
namespace {

// Flags position (from 1) of the object holds exactly the character; a shorter line holds
// none.
bool FlagIs(const std::string& flags, std::size_t position, char state) {
  return flags.size() >= position && flags[position - 1] == state;
}

// ObjLoc shows the visible objects lying here, ObjJog the visible objects carried.
bool ShownIn(const World& world, Panel panel, int record) {
  const std::string& flags = world.ObjectLine(record, kFlags);
  if (!FlagIs(flags, 8, '.')) return false;
  const std::string& place = world.ObjectLine(record, kLoc);
  if (panel == Panel::Loc) return FlagIs(flags, 1, '.') && place == world.local;
  return FlagIs(flags, 1, 'X') && place == world.nick;
}

// The object's panel picture; false when it has none, or it cannot be found or decoded.
bool LoadPanelPicture(Game& game, const std::string& name, Picture& picture) {
  if (name.empty()) return false;
  try {
    return LoadPictureCached(game, picture, name);
  } catch (const ScriptFault&) {
    return false;  // an undecodable picture only leaves its object out
  }
}

}  // namespace

void RedrawPanel(Game& game, Panel panel) {
  const World& world = game.world();
  const int objects = world.ObjectCount();
  if (objects == 0) return;
  ObjectPanels& panels = game.panels();
  Picture& shown = panel == Panel::Loc ? panels.loc : panels.jog;
  auto& slots = panel == Panel::Loc ? panels.loc_slots : panels.jog_slots;

  Picture work(shown.width(), shown.height(), kMagenta);
  slots.fill(0);
  int x = 0;
  int y = 0;
  int count = 0;
  Picture picture;
  for (int record = 0; record < objects && count < kPanelSlots && y < work.height(); ++record) {
    if (!ShownIn(world, panel, record)) continue;
    if (!LoadPanelPicture(game, world.ObjectLine(record, kShp), picture)) continue;
    DrawKeyed(work, picture, x, y, 0, 0, picture.width(), picture.height(), kPanelCell, kPanelCell);
    slots[count++] = record + 1;
    x += kPanelCell;
    if (x >= work.width()) {
      x = 0;
      y += kPanelCell;
    }
  }
  shown = std::move(work);
  game.host().ShowPanels();
}

void RedrawPanels(Game& game) {
  RedrawPanel(game, Panel::Loc);
  RedrawPanel(game, Panel::Jog);
}

}  // namespace zunk

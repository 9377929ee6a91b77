// The two object panels: ObjLoc ("No local:") with the visible objects lying here, ObjJog
// ("Com você:") with those the player carries, one 40 × 40 picture per cell.
#pragma once

#include <array>

#include "platform/host.h"
#include "screen/picture.h"

namespace zunk {

class Game;

inline constexpr int kPanelCell = 40;
inline constexpr int kPanelSlots = 12;

struct ObjectPanels {
  Picture loc{80, 120, kMagenta};  // ObjLoc
  Picture jog{200, 40, kMagenta};  // ObjJog
  std::array<int, kPanelSlots> loc_slots{};  // LocSlots: object numbers from 1, 0 unused
  std::array<int, kPanelSlots> jog_slots{};  // JogSlots
};

// Redraws one panel; nothing happens while ObjectList is empty.
void RedrawPanel(Game& game, Panel panel);
// Redraws ObjLoc and then ObjJog.
void RedrawPanels(Game& game);

}  // namespace zunk

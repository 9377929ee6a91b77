// The mouse on the object panels: hover picks the panel's current object and the pointer
// shape, a press starts dragging an object with the drag window TDrag, a release builds the
// sentence of the drop ("SOLTE ...", "PEGUE ...", "COLOQUE ... N...") and parses it, and a
// double click examines the object or opens what its Prg names. The window only forwards its
// events here and shows what the host is asked to show.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "game/object_panels.h"
#include "screen/picture.h"

namespace zunk {

class Game;

// A rectangle of the game window, borders included in hit tests.
struct WindowRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Contains(int px, int py) const {
    return px >= x && px <= x + width && py >= y && py <= y + height;
  }
};

// Where the elements a drop is tested against sit in the game window.
inline constexpr WindowRect kAbookRect{10, 10, 480, 200};
inline constexpr WindowRect kObjLocRect{507, 65, 80, 120};
inline constexpr WindowRect kObjJogRect{431, 240, 200, 40};
WindowRect PanelRect(Panel panel);
// The index of a panel in per-panel arrays (Panel::Loc 0, Panel::Jog 1).
inline std::size_t PanelIndex(Panel panel) {
  return panel == Panel::Jog ? 1 : 0;
}

// The object number (from 1) in the cell under a panel point, as the last redraw left the
// slot list; 0 for an empty cell and for a point that lies in no cell of the panel (left of
// or above it, on or past its right or bottom border, or in a cell beyond the twelfth).
int ObjectAt(const Game& game, Panel panel, std::int64_t x, std::int64_t y);

// The drag window's picture side.
inline constexpr int kDragPictureSide = 20;

// Pointer codes the panels use (the link cursor codes of the screen).
inline constexpr int kArrowPointer = 0;
inline constexpr int kDragPointer = 1;
inline constexpr int kMultiDragPointer = 4;

struct PanelMouse {
  std::array<int, 2> current_object{};  // per panel (Panel::Loc, Panel::Jog), 0 for none
  int dragged_record = -1;              // first ObjectList line of the dragged object, or -1
  bool dragging = false;                // the drag flag
  std::int32_t last_x = 0;              // last pointer position of the drag, panel coordinates
  std::int32_t last_y = 0;
  bool drag_window_shown = false;
  std::int32_t drag_window_x = 0;  // the drag window's top-left, game-window coordinates
  std::int32_t drag_window_y = 0;
};

// The article of an object (record from 0) in a built sentence: "O" or "A", "S" for a
// plural, then a blank.
std::string ArticleOf(const Game& game, int record);
// "O LANTERNA"-style: the article and Plvr of the object (record from 0).
std::string NamedObject(const Game& game, int record);

// The sentence a drop of the dragged object (dragged_record: its first ObjectList line, as
// PanelMouse keeps it) at the window point builds; empty when the drop does nothing (outside
// every target, or onto the dragged object itself) or nothing is dragged.
std::string DropSentence(Game& game, int dragged_record, std::int32_t x, std::int32_t y);

// Pointer events of a panel, in panel coordinates (entry points; faults reach the error
// display).
void PanelMove(Game& game, Panel panel, std::int32_t x, std::int32_t y);
void PanelPress(Game& game, Panel panel, std::int32_t x, std::int32_t y);
void PanelRelease(Game& game, Panel panel, std::int32_t x, std::int32_t y);
void PanelDoubleClick(Game& game, Panel panel);

// The drag window's own picture: the object's Shp read from the game folder as a plain
// bitmap and stretched to 20 × 20; false (no picture, no fault) when it is missing or not a
// bitmap.
bool LoadDragPicture(Game& game, const std::string& shp, Picture& picture);

}  // namespace zunk

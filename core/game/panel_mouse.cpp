// Hover, press and release on the object panels: the panel's current object, the pointer
// shapes, and the drag window that carries the dragged object's picture to its drop point.
#include "game/panel_mouse.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

#include "game/game.h"
#include "screen/bmp_decoder.h"

namespace zunk {
namespace {

std::int32_t Saturate(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// A new drag, or the end of one, takes the drag window off the screen.
void HideDragWindow(Game& game) {
  PanelMouse& mouse = game.panel_mouse();
  if (!mouse.drag_window_shown) return;
  mouse.drag_window_shown = false;
  game.host().HideDragWindow();
}

// The object's picture follows the pointer in the drag window, its top-left 10 pixels above
// and left of the pressed point.
void StartDrag(Game& game, Panel panel, std::int32_t x, std::int32_t y, int object) {
  PanelMouse& mouse = game.panel_mouse();
  const WindowRect rect = PanelRect(panel);
  constexpr int kHalf = kDragPictureSide / 2;
  mouse.drag_window_x = Saturate(std::int64_t{rect.x} + x - kHalf);
  mouse.drag_window_y = Saturate(std::int64_t{rect.y} + y - kHalf);
  game.host().SetDragPointer(true);
  // A copy: the name must not change under the load.
  const std::string shp = game.world().ObjectLine(object - 1, kShp);
  Picture picture;
  if (!LoadDragPicture(game, shp, picture)) return;  // the drag goes on without a picture
  game.host().ShowDragWindow(picture, mouse.drag_window_x, mouse.drag_window_y);
  mouse.drag_window_shown = true;
}

}  // namespace

WindowRect PanelRect(Panel panel) {
  return panel == Panel::Jog ? kObjJogRect : kObjLocRect;
}

int ObjectAt(const Game& game, Panel panel, std::int64_t x, std::int64_t y) {
  if (x < 0 || y < 0) return 0;
  const WindowRect rect = PanelRect(panel);
  const std::int64_t columns = rect.width / kPanelCell;
  const std::int64_t rows = rect.height / kPanelCell;
  const std::int64_t column = x / kPanelCell;
  const std::int64_t row = y / kPanelCell;
  // A point on the right border would otherwise name the first cell of the next row.
  if (column >= columns || row >= rows) return 0;
  const std::int64_t cell = row * columns + column;
  if (cell >= kPanelSlots) return 0;
  const ObjectPanels& panels = game.panels();
  const auto& slots = panel == Panel::Jog ? panels.jog_slots : panels.loc_slots;
  return slots[static_cast<std::size_t>(cell)];
}

void PanelMove(Game& game, Panel panel, std::int32_t x, std::int32_t y) {
  game.Guarded([&] {
    PanelMouse& mouse = game.panel_mouse();
    const int object = ObjectAt(game, panel, x, y);
    mouse.current_object[PanelIndex(panel)] = object;
    game.host().SetPanelPointer(panel, object > 0 ? kDragPointer : kArrowPointer);
    if (mouse.dragging) {
      // Tracked also without a picture to show: the drop point is this top-left.
      mouse.drag_window_x = Saturate(std::int64_t{mouse.drag_window_x} + x - mouse.last_x);
      mouse.drag_window_y = Saturate(std::int64_t{mouse.drag_window_y} + y - mouse.last_y);
      if (mouse.drag_window_shown) {
        game.host().MoveDragWindow(mouse.drag_window_x, mouse.drag_window_y);
      }
    }
    mouse.last_x = x;
    mouse.last_y = y;
  });
}

void PanelPress(Game& game, Panel panel, std::int32_t x, std::int32_t y) {
  game.Guarded([&] {
    PanelMouse& mouse = game.panel_mouse();
    auto& reg = game.world().reg;
    reg[kRegPanelX] = x;
    reg[kRegPanelY] = y;
    // A press before the last drag's release (another button) abandons that drag.
    HideDragWindow(game);
    if (mouse.dragged_record >= 0) game.host().SetDragPointer(false);
    mouse.last_x = x;
    mouse.last_y = y;
    mouse.dragging = true;
    mouse.dragged_record = -1;
    const int object = ObjectAt(game, panel, x, y);
    mouse.current_object[PanelIndex(panel)] = object;
    if (object <= 0) return;
    mouse.dragged_record = (object - 1) * kObjectRecordLines;
    StartDrag(game, panel, x, y, object);
  });
}

void PanelRelease(Game& game, Panel /*panel*/, std::int32_t /*x*/, std::int32_t /*y*/) {
  game.Guarded([&] {
    PanelMouse& mouse = game.panel_mouse();
    // The drop point is where the drag window is, not where the pointer is.
    const std::int32_t drop_x = mouse.drag_window_x;
    const std::int32_t drop_y = mouse.drag_window_y;
    HideDragWindow(game);
    mouse.dragging = false;
    const int dragged = mouse.dragged_record;
    if (dragged < 0) return;
    // Ended before the sentence runs: a press during one of its waits starts a drag of its own.
    mouse.dragged_record = -1;
    game.host().SetDragPointer(false);
    std::string sentence = DropSentence(game, dragged, drop_x, drop_y);
    if (sentence.empty()) return;
    game.frase = std::move(sentence);
    game.parser().Parse();
  });
}

bool LoadDragPicture(Game& game, const std::string& shp, Picture& picture) {
  // From disk only: a drag never waits for the network.
  const std::optional<std::string> bytes = game.ReadGameFile(shp);
  if (!bytes) return false;
  const std::optional<Picture> decoded = DecodeBmp(*bytes);
  if (!decoded || decoded->empty()) return false;
  // Keyed onto magenta, so the stretch keeps the holes the window's outline is cut from.
  Picture stretched(kDragPictureSide, kDragPictureSide, kMagenta);
  DrawKeyed(stretched, *decoded, 0, 0, 0, 0, decoded->width(), decoded->height(), kDragPictureSide,
            kDragPictureSide);
  picture = std::move(stretched);
  return true;
}

}  // namespace zunk

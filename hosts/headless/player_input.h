// How the scripted player's lines reach the game: straight into the game's entry points
// (zunk-run), or through a window's widgets (zunk --input), which then call the same entry
// points. A window may add console commands of its own.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "game/game.h"
#include "game/panel_mouse.h"
#include "game/window_buttons.h"

namespace zunk {

class PlayerInput {
 public:
  explicit PlayerInput(Game& game) : game_(game) {}
  virtual ~PlayerInput() = default;

  // A sentence (CP1252) typed into Frase and Return pressed.
  virtual void TypeSentence(const std::string& sentence) { game_.EnterSentence(sentence); }
  // The pointer over Tela, in Tela coordinates.
  virtual void MoveOnScreen(std::int32_t x, std::int32_t y) { game_.PointerMove(x, y); }
  virtual void PressOnScreen(std::int32_t x, std::int32_t y) { game_.PointerPress(x, y); }
  virtual void ReleaseOnScreen(std::int32_t x, std::int32_t y) { game_.PointerRelease(x, y); }
  // The pointer over an object panel, in panel coordinates. A double click is the double click
  // itself followed by the press it also is, as windows report it.
  virtual void MoveOnPanel(Panel panel, std::int32_t x, std::int32_t y) {
    PanelMove(game_, panel, x, y);
  }
  virtual void PressOnPanel(Panel panel, std::int32_t x, std::int32_t y) {
    PanelPress(game_, panel, x, y);
  }
  virtual void ReleaseOnPanel(Panel panel, std::int32_t x, std::int32_t y) {
    PanelRelease(game_, panel, x, y);
  }
  virtual void DoubleClickOnPanel(Panel panel, std::int32_t x, std::int32_t y) {
    PanelDoubleClick(game_, panel);
    PanelPress(game_, panel, x, y);
  }
  // A press on suggestion n (1..3).
  virtual void PressSuggestion(int n) { game_.PressSuggestion(n); }
  // A press and release of a picture button or tick picture; what the window does after it.
  virtual WindowAction PressButton(WindowButton button) {
    game_.Guarded([&] { PressWindowButton(game_, button); });
    WindowAction action = WindowAction::None;
    game_.Guarded([&] { action = ReleaseWindowButton(game_, button); });
    return action;
  }
  // A console command this input knows beyond the player's own; false when unknown.
  virtual bool RunCommand(const std::string& /*command*/, const std::string& /*utf8_argument*/,
                          std::ostream& /*out*/) {
    return false;
  }

 protected:
  Game& game_;
};

}  // namespace zunk

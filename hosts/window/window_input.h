// The scripted player's lines played into the game window's widgets (zunk --input): a
// sentence is typed into Frase and Return pressed, clicks go to Tela, the suggestion labels,
// the panels and the picture buttons as mouse events. Adds "!window FILE.png".
#pragma once

#include "game_window.h"
#include "player_input.h"

namespace zunk {

class WindowInput : public PlayerInput {
 public:
  WindowInput(Game& game, GameWindow& window) : PlayerInput(game), window_(window) {}

  void TypeSentence(const std::string& sentence) override;
  void MoveOnScreen(std::int32_t x, std::int32_t y) override;
  void PressOnScreen(std::int32_t x, std::int32_t y) override;
  void ReleaseOnScreen(std::int32_t x, std::int32_t y) override;
  void PressSuggestion(int n) override;
  void MoveOnPanel(Panel panel, std::int32_t x, std::int32_t y) override;
  void PressOnPanel(Panel panel, std::int32_t x, std::int32_t y) override;
  void ReleaseOnPanel(Panel panel, std::int32_t x, std::int32_t y) override;
  void DoubleClickOnPanel(Panel panel, std::int32_t x, std::int32_t y) override;
  WindowAction PressButton(WindowButton button) override;
  bool RunCommand(const std::string& command, const std::string& utf8_argument,
                  std::ostream& out) override;

 private:
  GameWindow& window_;
};

// The whole window as drawn, at its logical size, transparent outside its outline.
QImage GrabWindow(GameWindow& window);

// Sends one mouse event to a widget at a point of its own.
void SendMouse(QWidget& widget, QEvent::Type type, QPoint at,
               Qt::MouseButton button = Qt::LeftButton);

}  // namespace zunk

// The headless player's turn loop: each input line is a console command ("!") or a typed
// sentence, and each turn ends with what the host recorded, the message window, the input
// line and the status line in the transcript. Lines put on hold with "!queue" are handled at
// the next event pump, as input that arrives while a script waits.
#pragma once

#include <deque>
#include <ostream>
#include <string>

#include "game/game.h"
#include "headless_host.h"
#include "player_input.h"

namespace zunk {

class HeadlessPlayer {
 public:
  // Registers itself with the host as the handler of input pending at a pump. Lines reach the
  // game through input when given, else straight through the game's entry points.
  HeadlessPlayer(HeadlessHost& host, Game& game, std::ostream& out, PlayerInput* input = nullptr);
  ~HeadlessPlayer();
  HeadlessPlayer(const HeadlessPlayer&) = delete;
  HeadlessPlayer& operator=(const HeadlessPlayer&) = delete;

  // Prints the turn of the first activation (the start script).
  void Start();
  // Handles one input line (UTF-8) and prints its turn. Held lines still waiting after the
  // line that followed their "!queue" come first, each as its own turn.
  void HandleLine(const std::string& utf8_line);
  // Handles the held lines still waiting at the end of the input.
  void Finish();
  // btFim ended the game: no more lines are read.
  bool ended() const { return ended_; }

 private:
  // A console command or a sentence, without the turn's header and end.
  void RunLine(const std::string& utf8_line);
  void HandleHeldLines();
  void RunHeldLinesAsTurns();

  // Console commands (console_commands.cpp).
  void RunConsoleCommand(const std::string& command, const std::string& argument,
                         const std::string& utf8_argument);
  void PressButton(const std::string& name);
  bool RunPointerCommand(const std::string& command, const std::string& argument);
  bool RunPanelCommand(const std::string& command, const std::string& argument);
  bool RunTimerCommand(const std::string& command, const std::string& argument);
  void PrintRegister(int index);
  void PrintObject(const std::string& name);
  void PrintState();
  void PrintLinks();
  void PrintCurrentLink();
  void PrintPanelObject(Panel panel);

  void EndTurn();
  void Print(const std::string& cp1252_line);

  HeadlessHost& host_;
  Game& game_;
  std::ostream& out_;
  PlayerInput direct_input_;
  PlayerInput& input_;
  std::deque<std::string> held_;  // UTF-8 lines for the next pump
  bool holding_ = false;
  bool ended_ = false;  // the last input line was "!queue"
};

}  // namespace zunk

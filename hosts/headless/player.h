// The headless player's turn loop: each input line is a console command ("!") or a typed
// sentence, and each turn ends with the message window and status line in the transcript.
#pragma once

#include <ostream>
#include <string>

#include "game/game.h"
#include "headless_host.h"

namespace zunk {

class HeadlessPlayer {
 public:
  HeadlessPlayer(HeadlessHost& host, Game& game, std::ostream& out);

  // Prints the turn of the first activation (the start script).
  void Start();
  // Handles one input line (UTF-8) and prints its turn.
  void HandleLine(const std::string& utf8_line);

 private:
  void RunConsoleCommand(const std::string& command, const std::string& argument,
                         const std::string& utf8_argument);
  void PrintRegister(int index);
  void PrintObject(const std::string& name);
  void PrintState();
  void EndTurn();
  void Print(const std::string& cp1252_line);

  HeadlessHost& host_;
  Game& game_;
  std::ostream& out_;
};

}  // namespace zunk

// Navigation command bodies and the move to a location with its exit section.
#include "script/navigation_commands.h"

#include <string>

#include "game/game.h"
#include "game/object_panels.h"
#include "script/operands.h"

namespace zunk {
namespace {

inline constexpr std::string_view kExitLabel = ":saida";

// ifloc= and ifloc#: the location's name, then the label (the whole text without a comma).
std::int32_t IfLocation(Game& game, std::string_view args, bool want_equal) {
  Fields fields(args);
  const std::string_view name = fields.Take();
  const std::string_view label = fields.rest();
  if (label.empty()) return kNextLine;
  const bool equal = game.world().local == name;
  return equal == want_equal ? game.interpreter().Goto(label) : kNextLine;
}

// ifgo: when the player is at the named location, moves on and ends the run.
std::int32_t IfGo(Game& game, std::string_view args) {
  Fields fields(args);
  const std::string_view name = fields.Take();
  const std::string destination(fields.rest());
  if (destination.empty() || game.world().local != name) return kNextLine;
  game.interpreter().GoToLocation(destination);
  return game.interpreter().HandOver();
}

// reload: the current location's lines again, run from the top (with an argument) or not run
// at all (without one, or when they cannot be decoded).
std::int32_t Reload(Game& game, std::string_view args) {
  Interpreter& interpreter = game.interpreter();
  const std::string local = game.world().local;
  if (game.ScriptAvailable(local) && !interpreter.LoadScript(local, interpreter.script_lines)) {
    return interpreter.HandOver();
  }
  if (args.empty()) return interpreter.HandOver();
  RedrawPanels(game);
  return 0;
}

}  // namespace

void Interpreter::GoToLocation(const std::string& name_view) {
  // A copy: the exit section may change whatever the caller's name lives in.
  const std::string name = name_view;
  World& world = game_.world();

  // Every ":saida" of the lines being left starts a run to their end. The scan is bounded by
  // the lines held when it began and by the lines held now, which the section may replace.
  const int scanned = script_lines.Count();
  for (int i = 0; i < scanned && i < script_lines.Count(); ++i) {
    if (script_lines.Get(i) != kExitLabel) continue;
    CheckRoomForRun();
    main_line = i + 1;
    RunLoop(script_lines, main_line);
  }

  world.norte.clear();
  world.sul.clear();
  world.leste.clear();
  world.oeste.clear();
  world.reg[kRegMoved] = 0;
  world.reg[kRegSinceMove] = 0;
  game_.links().DeactivateAll();
  world.local = name;
  RunScript(name);
  RedrawPanels(game_);
}

std::int32_t NavigationCommand(Game& game, Command command, std::string_view args) {
  World& world = game.world();
  switch (command) {
    case Command::Norte:
      world.norte = std::string(args);
      break;
    case Command::Sul:
      world.sul = std::string(args);
      break;
    case Command::Leste:
      world.leste = std::string(args);
      break;
    case Command::Oeste:
      world.oeste = std::string(args);
      break;
    case Command::LocalSet:
      world.local = std::string(args);
      break;
    case Command::IfLocEq:
      return IfLocation(game, args, true);
    case Command::IfLocNe:
      return IfLocation(game, args, false);
    case Command::IfGo:
      return IfGo(game, args);
    case Command::Reload:
      return Reload(game, args);
    case Command::IrPara:
      if (args.empty()) break;
      game.interpreter().GoToLocation(std::string(args));
      return game.interpreter().HandOver();
    default:
      break;
  }
  return kNextLine;
}

}  // namespace zunk

// Timer, wait and game-reset command bodies, and the periodic timer's run over its lines.
#include "script/timer_commands.h"

#include <string>

#include "game/game.h"
#include "game/restart.h"
#include "game/timers.h"
#include "script/operands.h"
#include "script/script_fault.h"

namespace zunk {
namespace {

// A wait's length in milliseconds: negative values wait nothing.
std::uint32_t WaitLength(Game& game, std::string_view args) {
  const std::int32_t ms = ValueOf(game.world(), args);
  return ms > 0 ? static_cast<std::uint32_t>(ms) : 0u;
}

void Pausa(Game& game, std::string_view args) {
  const std::uint32_t ms = WaitLength(game, args);
  game.host().PumpEvents();
  game.host().Sleep(ms);
}

// Lets events run until ms have passed. The elapsed time is measured as an unsigned
// difference, so the wait keeps its length when the tick count wraps around.
void Delay(Game& game, std::string_view args) {
  const std::uint32_t ms = WaitLength(game, args);
  Host& host = game.host();
  const std::uint32_t start = host.TickCount();
  while (host.TickCount() - start < ms) host.PumpEvents();
}

void TimerSet(Game& game, std::string_view args) {
  if (args == "on") SetClockTimer(game, true);
  if (args == "off") SetClockTimer(game, false);
}

// runtime: the periodic timer goes off, and on again only when its interval and its script
// (or label) are usable.
void Runtime(Game& game, std::string_view args) {
  if (args.empty()) return;
  SetPeriodicTimer(game, false, 0);
  if (args == "off") return;
  Fields fields(args);
  const std::int32_t interval = ValueOf(game.world(), fields.Take());
  if (interval <= 0) return;
  const std::string target(TrimBlanks(fields.rest()));
  if (target.empty()) return;
  Interpreter& interpreter = game.interpreter();
  if (target != interpreter.timer_script) {
    interpreter.timer_script = target;
    if (target.find(':') == std::string::npos) {
      if (!game.ScriptAvailable(target)) return;
      if (!interpreter.LoadScript(target, interpreter.timer_script_lines)) return;
    }
  }
  SetPeriodicTimer(game, true, static_cast<std::uint32_t>(interval));
}

void FncDef(Game& game, std::string_view args) {
  Fields fields(args);
  const std::int32_t n = ValueOf(game.world(), fields.Take());
  const std::string_view name = fields.rest();
  if (n < 1 || n > kSpecialScripts || name.empty()) return;
  game.world().fncdef[n] = std::string(name);
}

}  // namespace

void Interpreter::RunTimerTick() {
  if (timer_script.find(':') != std::string::npos) {
    // A copy: the lines run may set another timer script.
    const std::string label = timer_script;
    RunFromLabel(script_lines, label, timer_line);
    return;
  }
  if (timer_script_lines.Empty()) return;
  // The tick counts as one more nested run, like every other loop over script lines.
  struct TickDepth {
    explicit TickDepth(int& depth) : depth(depth) {
      if (depth >= kMaxRunDepth) {
        throw ScriptFault("Execu\xE7\xE3o interrompida: mais de " + std::to_string(kMaxRunDepth) +
                          " scripts aninhados (um script de tempo que chama a si mesmo?).");
      }
      ++depth;
    }
    ~TickDepth() { --depth; }
    int& depth;
  } tick_depth(run_depth_);
  // The mark of the timer's lines ends with the tick, however it ends: a later jump or fim
  // of another run must not land in the timer's lines.
  struct ContextEnd {
    ~ContextEnd() { context = false; }
    bool& context;
  } context_end{timer_context};
  // A line running from its text is copied first: runtime may load other lines under it.
  std::string line;
  timer_line = 0;
  while (timer_line >= 0 && timer_line < timer_script_lines.Count()) {
    SpendLine();
    timer_context = true;
    handed_over_ = false;
    const std::int32_t next = RunListLine(timer_script_lines, timer_line, line);
    timer_line = next == kNextLine ? timer_line + 1 : next;
    if (next == kRunReplaced && handed_over_) break;
  }
}

std::int32_t TimerCommand(Game& game, Command command, std::string_view args) {
  switch (command) {
    case Command::TimerSet:
      TimerSet(game, args);
      break;
    case Command::Runtime:
      Runtime(game, args);
      break;
    case Command::Pausa:
      Pausa(game, args);
      break;
    case Command::Delay:
      Delay(game, args);
      break;
    case Command::FncDef:
      FncDef(game, args);
      break;
    case Command::Url:
      if (!args.empty()) game.url = std::string(args);
      break;
    case Command::Download:
      if (!args.empty()) game.FetchFile(args);
      break;
    case Command::Restart:
      RestartGame(game, args);
      break;
    default:
      break;
  }
  return kNextLine;
}

}  // namespace zunk

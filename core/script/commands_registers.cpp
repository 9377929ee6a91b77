// Register arithmetic, conditional jumps, loop, fim, script hand-over and availability tests.
#include <climits>

#include "game/game.h"
#include "script/command_table.h"
#include "script/interpreter.h"
#include "script/operands.h"
#include "script/script_codec.h"

namespace zunk {
namespace {

std::int32_t Wrap(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

// A script name written with its extension loses its last five characters.
std::string ScriptNameOf(std::string_view name) {
  std::string text(name);
  if (text.find(kScriptExt) != std::string::npos) text.resize(text.size() - 5);
  return text;
}

}  // namespace

std::int32_t Interpreter::RegisterCommand(int command, std::string_view args) {
  World& world = game_.world();
  Fields fields(args);
  const int r = RegisterOf(world, fields.Take());
  last_reg = r;
  if (fields.rest().empty()) return kNextLine;
  const std::int32_t value = ValueOf(world, fields.rest());
  std::int32_t& target = world.reg[r];
  switch (static_cast<Command>(command)) {
    case Command::Reg: target = value; break;
    case Command::Rnd:
      target = value > 0 ? std::uniform_int_distribution<std::int32_t>(0, value - 1)(game_.random())
                         : 0;
      break;
    case Command::Add: target = Wrap(std::int64_t{target} + value); break;
    case Command::Sub: target = Wrap(std::int64_t{target} - value); break;
    case Command::Mul: target = Wrap(std::int64_t{target} * value); break;
    case Command::Div:
      // Division by zero leaves the register as it was; the most negative value divided by
      // -1 wraps to itself.
      if (value == 0) break;
      target = (target == INT32_MIN && value == -1) ? INT32_MIN : target / value;
      break;
    default: break;
  }
  return kNextLine;
}

std::int32_t Interpreter::IncDec(std::string_view args, std::int32_t delta) {
  if (args.empty()) return kNextLine;
  World& world = game_.world();
  const int r = RegisterOf(world, args);
  last_reg = r;
  world.reg[r] = Wrap(std::int64_t{world.reg[r]} + delta);
  return kNextLine;
}

void Interpreter::Def(std::string_view args) {
  World& world = game_.world();
  Fields fields(args);
  const int r = RegisterOf(world, fields.Take());
  last_reg = r;
  if (fields.rest().empty()) return;
  world.reg_name.Set(r, std::string(fields.rest()));
}

std::int32_t Interpreter::Compare(int command, std::string_view args) {
  World& world = game_.world();
  Fields fields(args);
  const int r = RegisterOf(world, fields.Take());
  last_reg = r;
  if (fields.rest().empty()) return kNextLine;
  const std::string_view value_field = fields.Take();
  if (value_field.empty()) return kNextLine;
  const std::int32_t value = ValueOf(world, value_field);
  const std::string_view label = fields.rest();
  if (label.empty()) return kNextLine;
  const std::int32_t current = world.reg[r];
  bool holds = false;
  switch (static_cast<Command>(command)) {
    case Command::SeEq: holds = current == value; break;
    case Command::SeNe: holds = current != value; break;
    case Command::SeGt: holds = current > value; break;
    case Command::SeLt: holds = current < value; break;
    default: break;
  }
  return holds ? Goto(label) : kNextLine;
}

std::int32_t Interpreter::Loop(std::string_view args) {
  World& world = game_.world();
  Fields fields(args);
  const int r = RegisterOf(world, fields.Take());
  const bool has_label = fields.rest().size() < args.size();  // a comma ended the register
  last_reg = r;
  if (!has_label || fields.rest().empty()) return kNextLine;
  if (world.reg[r] <= 0) return kNextLine;
  --world.reg[r];
  return Goto(fields.rest());
}

std::int32_t Interpreter::Fim() {
  return timer_context ? timer_script_lines.Count() : script_lines.Count();
}

std::int32_t Interpreter::Script(std::string_view args) {
  RunScript(std::string(args));
  return HandOver();
}

std::int32_t Interpreter::IfArq(std::string_view args) {
  Fields fields(args);
  const std::string_view name = fields.Take();
  if (name.empty()) return kNextLine;
  const bool available = name.find(kScriptExt) != std::string_view::npos
                             ? game_.ScriptAvailable(ScriptNameOf(name))
                             : game_.FileAvailable(name);
  return available ? Goto(fields.rest()) : kNextLine;
}

void Interpreter::Verifica(std::string_view args) {
  if (args.empty()) return;
  game_.ScriptAvailable(ScriptNameOf(args));
}

}  // namespace zunk

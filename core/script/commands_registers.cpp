// Register arithmetic, conditional jumps, loop, fim, script hand-over and availability tests.
#include <climits>

#include "game/game.h"
#include "script/command_table.h"
#include "script/interpreter.h"
#include "script/operands.h"
#include "script/register_fields.h"
#include "script/script_codec.h"

namespace zunk {
namespace {

// A script name written with its extension loses its last five characters.
std::string ScriptNameOf(std::string_view name) {
  std::string text(name);
  if (text.find(kScriptExt) != std::string::npos) text.resize(text.size() - 5);
  return text;
}

}  // namespace

std::int32_t Interpreter::Arithmetic(Command command, const RegisterFields& fields) {
  World& world = game_.world();
  const int r = fields.reg;
  last_reg = r;
  if (!fields.complete) return kNextLine;
  const std::int32_t value = fields.value.Read(world);
  std::int32_t& target = world.reg[r];
  switch (command) {
    case Command::Reg: target = value; break;
    case Command::Rnd:
      target = value > 0 ? std::uniform_int_distribution<std::int32_t>(0, value - 1)(game_.random())
                         : 0;
      break;
    case Command::Add:
      target = WrapToRegister(std::int64_t{target} + value);
      break;
    case Command::Sub:
      target = WrapToRegister(std::int64_t{target} - value);
      break;
    case Command::Mul:
      target = WrapToRegister(std::int64_t{target} * value);
      break;
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

std::int32_t Interpreter::IncDec(const RegisterFields& fields, std::int32_t delta) {
  if (!fields.complete) return kNextLine;  // no arguments: not even LastReg changes
  World& world = game_.world();
  const int r = fields.reg;
  last_reg = r;
  world.reg[r] = WrapToRegister(std::int64_t{world.reg[r]} + delta);
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

std::int32_t Interpreter::Compare(Command command, const RegisterFields& fields,
                                  std::string_view label, JumpMemo& memo) {
  World& world = game_.world();
  last_reg = fields.reg;
  if (!fields.complete) return kNextLine;
  const std::int32_t value = fields.value.Read(world);
  const bool holds = CompareHolds(command, world.reg[fields.reg], value);
  return holds ? JumpTo(label, memo) : kNextLine;
}

std::int32_t Interpreter::Loop(const RegisterFields& fields, std::string_view label,
                               JumpMemo& memo) {
  World& world = game_.world();
  last_reg = fields.reg;
  if (!fields.complete) return kNextLine;
  std::int32_t& count = world.reg[fields.reg];
  if (count <= 0) return kNextLine;
  --count;
  return JumpTo(label, memo);
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

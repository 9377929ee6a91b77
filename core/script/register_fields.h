// The fields of the register, compare, loop and goto commands read once into a plain form:
// register indexes resolved, numbers converted, the label name trimmed as goto looks it up.
// Running a line from its text and running its kept reading go through the same form.
// Defined here: a line run from its text reads its fields on every run.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/world/world.h"
#include "script/command_table.h"
#include "script/operands.h"

namespace zunk {

struct RegisterFields {
  int reg = 0;  // the register field; LastReg takes it
  // The command goes on past setting LastReg: every field it needs is there.
  bool complete = false;
  ValueOperand value;
  std::string_view label;  // the label name of a jump, as Goto looks it up
};

// A 64-bit result of register arithmetic wrapped to the 32 bits of a register.
inline std::int32_t WrapToRegister(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

// Whether a compare command's condition holds for a register's value and the compared value.
inline bool CompareHolds(Command command, std::int32_t current, std::int32_t value) {
  switch (command) {
    case Command::SeEq:
      return current == value;
    case Command::SeNe:
      return current != value;
    case Command::SeGt:
      return current > value;
    case Command::SeLt:
      return current < value;
    default:
      return false;
  }
}

// The name goto looks up for a non-empty argument: without the label's own leading ':' and
// without the blanks (and controls) at its end.
inline std::string_view JumpName(std::string_view args) {
  // The target is the first line equal to ":" + args (a leading ':' of args is the label's
  // own) with the blanks at its end trimmed. Labels are indexed by what follows their ':', so
  // the name is looked up as it stands in args.
  std::string_view name = args;
  if (!name.empty() && name.front() == ':') name.remove_prefix(1);
  while (!name.empty() && static_cast<unsigned char>(name.back()) <= ' ') name.remove_suffix(1);
  return name;
}

// reg, rnd, add, sub, mul, div: "register,value".
inline RegisterFields ReadArithmetic(const World& world, std::string_view args, ReadingUse& use) {
  RegisterFields read;
  Fields fields(args);
  read.reg = ReadRegisterIndex(world, fields.Take(), use);
  if (fields.rest().empty()) return read;
  read.value = ReadValueOperand(world, fields.rest(), use);
  read.complete = true;
  return read;
}

// inc, dec: "register"; not complete (nothing happens, LastReg stays) without arguments.
inline RegisterFields ReadIncDec(const World& world, std::string_view args, ReadingUse& use) {
  RegisterFields read;
  if (args.empty()) return read;
  read.reg = ReadRegisterIndex(world, args, use);
  read.complete = true;
  return read;
}

// se=, se#, se>, se<: "register,value,label".
inline RegisterFields ReadCompare(const World& world, std::string_view args, ReadingUse& use) {
  RegisterFields read;
  Fields fields(args);
  read.reg = ReadRegisterIndex(world, fields.Take(), use);
  if (fields.rest().empty()) return read;
  const std::string_view value_field = fields.Take();
  if (value_field.empty()) return read;
  read.value = ReadValueOperand(world, value_field, use);
  const std::string_view label = fields.rest();
  if (label.empty()) return read;
  read.label = JumpName(label);
  read.complete = true;
  return read;
}

// loop: "register,label".
inline RegisterFields ReadLoop(const World& world, std::string_view args, ReadingUse& use) {
  RegisterFields read;
  Fields fields(args);
  read.reg = ReadRegisterIndex(world, fields.Take(), use);
  const bool has_label = fields.rest().size() < args.size();  // a comma ended the register
  if (!has_label || fields.rest().empty()) return read;
  read.label = JumpName(fields.rest());
  read.complete = true;
  return read;
}

}  // namespace zunk

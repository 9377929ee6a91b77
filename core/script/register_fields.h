// The fields of the register, compare, loop and goto commands read once into a plain form:
// register indexes resolved, numbers converted, the label name trimmed as goto looks it up.
// Running a line from its text and running its kept reading go through the same form.
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

// reg, rnd, add, sub, mul, div: "register,value".
RegisterFields ReadArithmetic(const World& world, std::string_view args, ReadingUse& use);
// inc, dec: "register"; not complete (nothing happens, LastReg stays) without arguments.
RegisterFields ReadIncDec(const World& world, std::string_view args, ReadingUse& use);
// se=, se#, se>, se<: "register,value,label".
RegisterFields ReadCompare(const World& world, std::string_view args, ReadingUse& use);
// loop: "register,label".
RegisterFields ReadLoop(const World& world, std::string_view args, ReadingUse& use);

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
std::string_view JumpName(std::string_view args);

}  // namespace zunk

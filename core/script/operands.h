// How script arguments are split into fields and how a field denotes a number, a register
// or an object.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "game/world/world.h"

namespace zunk {

// Removes characters up to and including the blank (controls too) from both ends.
std::string_view TrimBlanks(std::string_view text);

// Strict decimal conversion: an optional '-', then digits only, within 32 bits.
std::optional<std::int32_t> ParseDecimal(std::string_view text);

// Takes argument fields from the left. A field is the text before the first comma and the
// rest is what follows it; when the rest holds no comma the field is empty and the rest
// stays whole, so the last field of a command is the whole remaining text.
class Fields {
 public:
  explicit Fields(std::string_view args) : rest_(args) {}
  std::string_view Take();
  std::string_view rest() const { return rest_; }

 private:
  std::string_view rest_;
};

// A value operand read once: a number, or the register whose value is read when the line runs.
struct ValueOperand {
  std::int32_t constant = 0;
  int reg = -1;  // -1: the constant
  std::int32_t Read(const World& world) const { return reg < 0 ? constant : world.reg[reg]; }
};

// What reading an operand depended on besides its text: names is set when the text was looked
// up among the register names, so the reading holds only while they stay the same.
struct ReadingUse {
  bool names = false;
};

// The value of a number or a register name; 0 when it is neither.
std::int32_t ValueOf(const World& world, std::string_view text);
ValueOperand ReadValueOperand(const World& world, std::string_view text, ReadingUse& use);

// The register index a number or name denotes; 0 (the scratch register) when none.
int RegisterOf(const World& world, std::string_view text);
int ReadRegisterIndex(const World& world, std::string_view text, ReadingUse& use);

// The first register from 1 whose name equals text, 0 when none.
int FindRegisterByName(const World& world, std::string_view text);

// The record index (from 0) an object operand denotes, -1 when none. "obj1" and "obj2"
// name the sentence's objects (and set Reg[30]); numbers are record indexes; register names
// give their register's value; anything else is matched against the objects' words.
int ObjectOf(World& world, std::string_view text);

}  // namespace zunk

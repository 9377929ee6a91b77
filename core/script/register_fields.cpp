// Reading the fields of the register, compare, loop and goto commands.
#include "script/register_fields.h"

#include "script/operands.h"

namespace zunk {

RegisterFields ReadArithmetic(const World& world, std::string_view args, ReadingUse& use) {
  RegisterFields read;
  Fields fields(args);
  read.reg = ReadRegisterIndex(world, fields.Take(), use);
  if (fields.rest().empty()) return read;
  read.value = ReadValueOperand(world, fields.rest(), use);
  read.complete = true;
  return read;
}

RegisterFields ReadIncDec(const World& world, std::string_view args, ReadingUse& use) {
  RegisterFields read;
  if (args.empty()) return read;
  read.reg = ReadRegisterIndex(world, args, use);
  read.complete = true;
  return read;
}

RegisterFields ReadCompare(const World& world, std::string_view args, ReadingUse& use) {
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

RegisterFields ReadLoop(const World& world, std::string_view args, ReadingUse& use) {
  RegisterFields read;
  Fields fields(args);
  read.reg = ReadRegisterIndex(world, fields.Take(), use);
  const bool has_label = fields.rest().size() < args.size();  // a comma ended the register
  if (!has_label || fields.rest().empty()) return read;
  read.label = JumpName(fields.rest());
  read.complete = true;
  return read;
}

std::string_view JumpName(std::string_view args) {
  // The target is the first line equal to ":" + args (a leading ':' of args is the label's
  // own) with the blanks at its end trimmed. Labels are indexed by what follows their ':', so
  // the name is looked up as it stands in args.
  std::string_view name = args;
  if (!name.empty() && name.front() == ':') name.remove_prefix(1);
  while (!name.empty() && static_cast<unsigned char>(name.back()) <= ' ') name.remove_suffix(1);
  return name;
}

}  // namespace zunk

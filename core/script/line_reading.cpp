// Reading a line into its kept form.
#include "script/line_reading.h"

namespace zunk {

void ReadLine(const World& world, std::string_view line, LineReading& reading) {
  const CommandLine split = SplitCommandLine(line);
  ReadingUse use;
  reading.command = split.command;
  reading.fields = {};
  reading.label.clear();
  reading.jump = {};
  reading.form = LineForm::Text;
  switch (split.runs ? split.command : Command::None) {
    case Command::None:
      reading.form = LineForm::Nothing;
      break;
    case Command::Reg:
    case Command::Rnd:
    case Command::Add:
    case Command::Sub:
    case Command::Mul:
    case Command::Div:
      reading.fields = ReadArithmetic(world, split.args, use);
      reading.form = split.command == Command::Reg   ? LineForm::Set
                     : split.command == Command::Add ? LineForm::Add
                     : split.command == Command::Sub ? LineForm::Sub
                                                     : LineForm::Arithmetic;
      break;
    case Command::Inc:
    case Command::Dec:
      reading.fields = ReadIncDec(world, split.args, use);
      reading.form = split.command == Command::Inc ? LineForm::Inc : LineForm::Dec;
      if (!reading.fields.complete) reading.form = LineForm::Nothing;  // not even LastReg
      break;
    case Command::SeEq:
    case Command::SeNe:
    case Command::SeGt:
    case Command::SeLt:
      reading.form = LineForm::Compare;
      reading.fields = ReadCompare(world, split.args, use);
      break;
    case Command::Loop:
      reading.form = LineForm::Loop;
      reading.fields = ReadLoop(world, split.args, use);
      break;
    case Command::Goto:
      reading.form = split.args.empty() ? LineForm::Nothing : LineForm::Goto;
      if (!split.args.empty()) reading.fields.label = JumpName(split.args);
      break;
    case Command::Fim:
      reading.form = LineForm::Fim;
      break;
    default:
      break;
  }
  // A register, compare or loop line that stops after its register field.
  if (reading.form != LineForm::Nothing && reading.form != LineForm::Text &&
      reading.form != LineForm::Goto && reading.form != LineForm::Fim && !reading.fields.complete) {
    reading.form = LineForm::LastRegOnly;
  }
  reading.label.assign(reading.fields.label);
  reading.fields.label = {};
  reading.has_args = split.has_args;
  reading.args_at = static_cast<std::uint32_t>(split.args_at);
  reading.uses_names = use.names;
  reading.names_version = world.reg_name.version();
}

}  // namespace zunk

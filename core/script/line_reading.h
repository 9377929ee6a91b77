// What running a line needs from its text, read once and kept per line of a list: the
// command, and for the register, compare, loop, goto and fim lines their fields in plain form
// (register indexes resolved, numbers converted, label names trimmed, where the last jump
// landed). A kept reading is used again only while the list keeps its generation and, when a
// field was a register name, while the register names keep their version.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "game/world/line_list.h"
#include "game/world/world.h"
#include "script/command_table.h"
#include "script/register_fields.h"

namespace zunk {

// A line split as the interpreter reads it: blanks before the command word, the word, and the
// arguments after the blank that ends it.
struct CommandLine {
  bool runs = false;  // false for blank, label (':') and comment ('/', ';') lines
  Command command = Command::None;
  bool has_args = false;
  std::size_t args_at = 0;  // where the arguments start, when has_args
  std::string_view args;
};
inline CommandLine SplitCommandLine(std::string_view line) {
  CommandLine split;
  std::size_t start = 0;
  while (start < line.size() && line[start] == ' ') ++start;
  if (start == line.size()) return split;
  const char first = line[start];
  if (first == ':' || first == '/' || first == ';') return split;
  std::size_t blank = start;
  while (blank < line.size() && line[blank] != ' ') ++blank;
  split.runs = true;
  split.command = FindCommand(line.substr(start, blank - start));
  if (blank < line.size()) {
    split.has_args = true;
    split.args_at = blank + 1;
    split.args = line.substr(blank + 1);
  }
  return split;
}

inline constexpr std::uint64_t kNoGeneration = std::numeric_limits<std::uint64_t>::max();

// Where a jump to a label landed, for the generation of the list it was looked up in.
struct JumpMemo {
  std::uint64_t generation = kNoGeneration;
  std::int32_t target = 0;
};

enum class LineForm : std::uint8_t {
  Nothing,      // runs no command: blank, label, comment, unknown word, an argument-less inc
  Text,         // every other command: runs from the line's text
  LastRegOnly,  // a register, compare or loop line missing a field: it only sets LastReg
  Set,          // reg
  Add,
  Sub,
  Arithmetic,  // rnd, mul, div
  Inc,
  Dec,
  Compare,  // se=, se#, se>, se<
  Loop,
  Goto,
  Fim,
};

struct LineReading {
  std::uint64_t generation = kNoGeneration;  // of the list the line was read from
  std::uint64_t names_version = 0;           // of the register names, when uses_names
  LineForm form = LineForm::Nothing;
  Command command = Command::None;
  bool uses_names = false;
  bool has_args = false;      // Text
  std::uint32_t args_at = 0;  // Text
  RegisterFields fields;      // its label view is not kept: see label
  std::string label;          // the jump's label name
  JumpMemo jump;
};

// Reads a line of a list into its kept form.
void ReadLine(const World& world, std::string_view line, LineReading& reading);

// The readings of the lines of one list, taken the first time each line runs.
class LineReadings {
 public:
  // The reading of line index (inside list), read again when the kept one is stale.
  LineReading& At(const LineList& list, int index, const World& world) {
    if (static_cast<std::size_t>(index) >= lines_.size()) lines_.resize(list.Count());
    LineReading& reading = lines_[index];
    if (reading.generation != list.generation() ||
        (reading.uses_names && reading.names_version != world.reg_name.version())) {
      ReadLine(world, list.Get(index), reading);
      reading.generation = list.generation();
    }
    return reading;
  }

 private:
  std::vector<LineReading> lines_;
};

}  // namespace zunk

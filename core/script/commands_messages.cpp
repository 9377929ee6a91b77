// Message, string register, object list and suggestion commands.
#include <optional>

#include "game/game.h"
#include "game/world/sentence_text.h"
#include "script/interpreter.h"
#include "script/operands.h"

namespace zunk {
namespace {

bool StartsWithDigit(std::string_view text) { return !text.empty() && text[0] >= '0' && text[0] <= '9'; }

// A flag position (from 1); a position past the end of the text reads as the first state.
char FlagAt(const std::string& flags, std::size_t position) {
  return position <= flags.size() ? flags[position - 1] : '.';
}

// The description of the sentence's first ("obj1") or second ("obj2") object, if any.
std::optional<std::string> SentenceObjectDescription(World& world, std::string_view which) {
  const std::int32_t code = world.reg[which == "obj1" ? kRegWord1 : kRegWord2];
  if (code == 0) return std::nullopt;
  const int number = world.FindObjectByWordCode(code);
  if (number == 0) return std::nullopt;
  return world.ObjectLine(number - 1, kDscr);
}

}  // namespace

void Interpreter::MsgExtend(std::string_view args) {
  if (args.empty()) return;
  World& world = game_.world();
  std::string x(args);
  if (x == "obj1" || x == "obj2") x = SentenceObjectDescription(world, x).value_or("");

  if (!x.empty() && x[0] == '%') {
    const std::string_view name = TrimBlanks(std::string_view(x).substr(1));
    int index = 0;
    if (StartsWithDigit(name)) {
      const auto n = ParseDecimal(name);
      if (!n || *n > kRegisterCount) return;  // no such register: nothing is appended
      index = *n;
    } else {
      index = world.reg_name.FindLast(name);
    }
    x = std::to_string(world.reg[index]);
  }

  if (!x.empty() && x[0] == '#') {
    const std::string word = UpperAscii(TrimBlanks(std::string_view(x).substr(1)));
    if (StartsWithDigit(word)) {
      const auto n = ParseDecimal(word);
      if (!n || *n < 1 || *n > world.ObjectCount()) return;  // no such object
      x = world.ObjectLine(*n - 1, kDscr);
    } else {
      std::string found = "?";
      for (int r = world.ObjectCount() - 1; r >= 0; --r) {
        if (world.ObjectLine(r, kPlvr) == word) {
          found = world.ObjectLine(r, kDscr);
          break;
        }
      }
      x = found;
    }
  }

  if (!x.empty() && x[0] == '$') {
    const std::string rest(TrimBlanks(std::string_view(x).substr(1)));
    if (StartsWithDigit(rest)) {
      const auto n = ParseDecimal(rest);
      const std::string* message = n ? world.Message(*n) : nullptr;
      if (message == nullptr) return;  // no such message
      x = *message;
    } else {
      x = rest;
    }
  }
  game_.output().ExtendMessageLine(x);
}

void Interpreter::DefMsg(std::string_view args) {
  World& world = game_.world();
  Fields fields(args);
  const std::int32_t n = ValueOf(world, fields.Take());
  std::string text(fields.rest());
  if (n == -1) {
    world.message_list.Append(std::move(text));
  } else if (n >= 0 && n < world.message_list.Count()) {
    world.message_list.Set(n, std::move(text));
  }
}

std::string Interpreter::ExpandOperand(std::string_view text) {
  World& world = game_.world();
  if (text == "obj1" || text == "obj2") {
    const auto description = SentenceObjectDescription(world, text);
    return description ? std::string(" ").append(*description) : std::string(text);
  }
  if (const int index = FindRegisterByName(world, text); index > 0) {
    return std::string(" ").append(std::to_string(world.reg[index]));
  }
  return std::string(text);
}

void Interpreter::StrAppend(std::string_view args) { game_.world().str_reg += ExpandOperand(args); }

void Interpreter::StrShow() {
  World& world = game_.world();
  game_.output().ShowMessage(world.str_reg);
  world.str_reg.clear();
}

void Interpreter::List(std::string_view args) {
  if (args.empty()) return;
  World& world = game_.world();
  world.str_reg += ' ';
  const bool here = args == "loc";
  if (!here && args != "jog") return;

  // Both lists name the visible objects only, and count the same objects they name, so the
  // punctuation always closes with ".".
  auto listed = [&](int r) {
    const std::string& flags = world.ObjectLine(r, kFlags);
    if (FlagAt(flags, 8) != '.') return false;
    if (here) return FlagAt(flags, 1) == '.' && world.ObjectLine(r, kLoc) == world.local;
    return FlagAt(flags, 1) == 'X' && world.ObjectLine(r, kLoc) == world.nick;
  };
  const int count = world.ObjectCount();
  int total = 0;
  for (int r = 0; r < count; ++r) total += listed(r) ? 1 : 0;
  int k = 0;
  for (int r = 0; r < count; ++r) {
    if (!listed(r)) continue;
    ++k;
    world.str_reg += world.ObjectLine(r, kDscr);
    world.str_reg += k == total ? "." : (k == total - 1 ? " e " : ", ");
  }
  StrShow();
}

void Interpreter::SgtCaption(std::string_view args) {
  Fields fields(args);
  const std::int32_t n = ValueOf(game_.world(), fields.Take());
  if (n < 1 || n > 3 || fields.rest().empty()) return;
  game_.output().suggestions[n - 1].caption = std::string(fields.rest());
}

void Interpreter::SgtScript(std::string_view args) {
  Fields fields(args);
  const std::int32_t n = ValueOf(game_.world(), fields.Take());
  if (n < 1 || n > 3 || fields.rest().empty()) return;
  game_.output().suggestions[n - 1].script = std::string(fields.rest());
}

void Interpreter::SgtClear(std::string_view args) {
  const std::int32_t n = ParseDecimal(TrimBlanks(args)).value_or(0);
  Output& out = game_.output();
  if (n == 0) {
    out.ClearSuggestions();
  } else if (n >= 1 && n <= 3) {
    out.suggestions[n - 1] = Suggestion{};
  }
}

}  // namespace zunk

// Object command bodies: the tests, the moves, creating objects, fields and flags, counting,
// and redrawing one panel.
#include "script/object_commands.h"

#include <cstdint>
#include <string>

#include "game/game.h"
#include "game/object_panels.h"
#include "game/world/object_flags.h"
#include "script/interpreter.h"
#include "script/object_moves.h"
#include "script/operands.h"

namespace zunk {
namespace {

constexpr char kNewObjectFlags[] = "....................";

std::int32_t JumpIf(Game& game, bool condition, std::string_view label) {
  return condition ? game.interpreter().Goto(label) : kNextLine;
}

// ifoloc, ifojog, ifoext, ifobj1, ifobj2: obj, label.
std::int32_t TestObject(Game& game, Command command, std::string_view args) {
  World& world = game.world();
  Fields fields(args);
  const int record = ObjectOf(world, fields.Take());
  if (record < 0) return kNextLine;
  bool holds = false;
  switch (command) {
    case Command::IfOLoc:
      holds = LiesHere(world, record);
      break;
    case Command::IfOJog:
      holds = IsCarried(world, record);
      break;
    case Command::IfOExt:
      holds = true;
      break;
    case Command::IfObj1:
    case Command::IfObj2: {
      const int word = command == Command::IfObj1 ? kRegWord1 : kRegWord2;
      holds = world.FindObjectByWordCode(world.reg[word]) - 1 == record;
      break;
    }
    default:
      break;
  }
  return JumpIf(game, holds, fields.rest());
}

// ifodnt obj, container, label: the object lies inside the container.
std::int32_t TestInside(Game& game, std::string_view args) {
  World& world = game.world();
  Fields fields(args);
  const int record = ObjectOf(world, fields.Take());
  const int container = ObjectOf(world, fields.Take());
  if (record < 0 || container < 0) return kNextLine;
  const bool inside = world.ObjectLine(record, kLoc) == world.ObjectLine(container, kPlvr) &&
                      ObjectFlag(world, record, 2) == 'X';
  return JumpIf(game, inside, fields.rest());
}

// crie word: a new record with twenty '.' flags and sizes of 1, unless an object has that
// word already; the word joins WordList when no line holds it.
void CreateObject(World& world, std::string_view args) {
  if (args.empty()) return;
  const std::string word(args);
  for (int r = 0; r < world.ObjectCount(); ++r) {
    if (world.ObjectLine(r, kPlvr) == word) return;
  }
  // A partial last record is completed first so the new one starts on a record boundary.
  while (world.object_list.Count() % kObjectRecordLines != 0) world.object_list.Append("");
  for (const char* line : {word.c_str(), "", "", kNewObjectFlags, "1", "1", "", "", "", ""}) {
    world.object_list.Append(line);
  }
  for (const std::string& line : world.word_list.lines()) {
    if (line == word) return;
  }
  world.word_list.Append(word);
}

// defobj obj, val, text: line 10 * obj + val of ObjectList, when that line exists.
void DefineField(World& world, std::string_view args) {
  Fields fields(args);
  const int record = ObjectOf(world, fields.Take());
  const std::string_view value = fields.Take();
  if (record < 0 || value.empty() || fields.rest().empty()) return;
  const std::int64_t line = std::int64_t{record} * kObjectRecordLines + ValueOf(world, value);
  if (line < 0 || line >= world.object_list.Count()) return;
  world.object_list.Set(static_cast<int>(line), std::string(fields.rest()));
}

// posobj obj, place: lays the object at a place ("loc" is here), outside and visible.
void PlaceObject(Game& game, std::string_view args) {
  World& world = game.world();
  Fields fields(args);
  const int record = ObjectOf(world, fields.Take());
  const std::string_view place = fields.rest();
  if (place.empty()) return;
  if (record < 0) {
    const std::string* text = world.Message(1);
    game.output().ShowMessage(text ? *text : std::string());
    return;
  }
  world.SetObjectLine(record, kLoc, place == "loc" ? world.local : std::string(place));
  for (const int position : {1, 2, 8}) SetObjectFlag(world, record, position, '.');
}

// setbit and resbit: val, obj (the rest); ifbit: val, obj, label.
std::int32_t FlagCommand(Game& game, Command command, std::string_view args) {
  World& world = game.world();
  Fields fields(args);
  const std::int32_t position = ValueOf(world, fields.Take());
  if (position < 1 || position > kMaxFlagPosition) return kNextLine;
  if (command == Command::IfBit) {
    const int record = ObjectOf(world, fields.Take());
    if (record < 0) return kNextLine;
    return JumpIf(game, ObjectFlag(world, record, position) != '.', fields.rest());
  }
  const int record = ObjectOf(world, fields.rest());
  SetObjectFlag(world, record, position, command == Command::SetBit ? 'X' : '.');
  return kNextLine;
}

// conta reg, "loc" | "jog": the visible objects lying here, or the objects carried.
void CountObjects(Game& game, std::string_view args) {
  World& world = game.world();
  Fields fields(args);
  const int target = RegisterOf(world, fields.Take());
  game.interpreter().last_reg = target;
  const std::string_view which = fields.rest();
  std::int32_t count = 0;
  for (int r = 0; r < world.ObjectCount(); ++r) {
    if (which == "loc") count += LiesHere(world, r) && ObjectFlag(world, r, 8) == '.';
    if (which == "jog") count += IsCarried(world, r);
  }
  world.reg[target] = count;
}

}  // namespace

std::int32_t ObjectCommand(Game& game, Command command, std::string_view args) {
  World& world = game.world();
  switch (command) {
    case Command::IfOLoc:
    case Command::IfOJog:
    case Command::IfOExt:
    case Command::IfObj1:
    case Command::IfObj2:
      return TestObject(game, command, args);
    case Command::IfODnt:
      return TestInside(game, args);
    case Command::Pega:
    case Command::Pegue:
    case Command::Pegar:
      GiveToPlayer(world, ObjectOf(world, args));
      break;
    case Command::Solta:
    case Command::Soltar:
    case Command::Solte:
      LayDownHere(world, ObjectOf(world, args));
      break;
    case Command::XPeg:
      TakeChecked(game, ObjectOf(world, args));
      break;
    case Command::XPoe: {
      Fields fields(args);
      const int record = ObjectOf(world, fields.Take());
      PutIntoChecked(game, record, fields.rest());
      break;
    }
    case Command::XSlt:
      DropChecked(game, ObjectOf(world, args));
      break;
    case Command::Crie:
    case Command::Criar:
      CreateObject(world, args);
      break;
    case Command::DefObj:
      DefineField(world, args);
      break;
    case Command::PosObj:
      PlaceObject(game, args);
      break;
    case Command::SetBit:
    case Command::ResBit:
    case Command::IfBit:
      return FlagCommand(game, command, args);
    case Command::Conta:
      CountObjects(game, args);
      break;
    case Command::Objs:
      if (args == "loc") RedrawPanel(game, Panel::Loc);
      if (args == "jog") RedrawPanel(game, Panel::Jog);
      break;
    default:
      break;
  }
  return kNextLine;
}

}  // namespace zunk

// Plain and checked object moves.
#include "script/object_moves.h"

#include <cstdint>
#include <string>

#include "game/game.h"
#include "game/object_panels.h"
#include "game/world/object_flags.h"
#include "script/operands.h"

namespace zunk {
namespace {

// Message lines of the replies.
constexpr int kMsgNoSuchObject = 1;
constexpr int kMsgAlreadyCarried = 12;
constexpr int kMsgNotHere = 13;
constexpr int kMsgCarryLimit = 14;
constexpr int kMsgNotCarried = 15;

std::string MessageText(const World& world, int n) {
  const std::string* text = world.Message(n);
  return text ? *text : std::string();
}

void Reply(Game& game, std::string text) {
  game.output().ShowMessage(std::move(text));
}

// A prefix message followed by the object's description and ".".
void ReplyAbout(Game& game, int message, int record) {
  const World& world = game.world();
  Reply(game, MessageText(world, message) + world.ObjectLine(record, kDscr) + ".");
}

void AddCarried(World& world, std::int32_t delta) {
  std::int32_t& carried = world.reg[kRegCarried];
  carried = static_cast<std::int32_t>(static_cast<std::uint32_t>(carried) +
                                      static_cast<std::uint32_t>(delta));
}

// The last record whose word equals text, -1 when none.
int LastObjectWithWord(const World& world, const std::string& text) {
  for (int r = world.ObjectCount() - 1; r >= 0; --r) {
    if (world.ObjectLine(r, kPlvr) == text) return r;
  }
  return -1;
}

// A size as a number; a size that is not a decimal number counts as 0.
std::int32_t SizeOf(const World& world, int record) {
  return ParseDecimal(TrimBlanks(world.ObjectLine(record, kTmh))).value_or(0);
}

// An object lying elsewhere than here may still be taken out of an open container that is
// here or carried: it is then laid here first. False (with the refusal written) otherwise.
bool BringOutOfContainer(Game& game, int record) {
  World& world = game.world();
  if (ObjectFlag(world, record, 2) != 'X') {
    ReplyAbout(game, kMsgNotHere, record);
    return false;
  }
  const int container = LastObjectWithWord(world, world.ObjectLine(record, kLoc));
  const std::string& place = world.ObjectLine(container, kLoc);
  if (container < 0 || (place != world.local && place != world.nick)) {
    ReplyAbout(game, kMsgNotHere, record);
    return false;
  }
  if (ObjectFlag(world, container, 5) == 'X') {
    const bool plural = ObjectFlag(world, record, 7) == 'X';
    Reply(game, std::string("N\xE3o existe") + (plural ? "m " : " ") +
                    world.ObjectLine(record, kDscr) + " por aqui.");
    return false;
  }
  world.SetObjectLine(record, kLoc, world.local);
  SetObjectFlag(world, record, 1, '.');
  return true;
}

}  // namespace

void GiveToPlayer(World& world, int record) {
  if (!world.HasObject(record)) return;
  world.SetObjectLine(record, kLoc, world.nick);
  SetObjectFlag(world, record, 1, 'X');
  SetObjectFlag(world, record, 8, '.');
  AddCarried(world, 1);
}

void LayDownHere(World& world, int record) {
  if (!world.HasObject(record)) return;
  world.SetObjectLine(record, kLoc, world.local);
  SetObjectFlag(world, record, 1, '.');
  SetObjectFlag(world, record, 8, '.');
  AddCarried(world, -1);
}

void TakeChecked(Game& game, int record) {
  World& world = game.world();
  if (!world.HasObject(record)) return Reply(game, MessageText(world, kMsgNoSuchObject));
  if (IsCarried(world, record)) return ReplyAbout(game, kMsgAlreadyCarried, record);
  if (std::int64_t{world.reg[kRegCarried]} + 1 > world.reg[kRegCarryLimit]) {
    return Reply(game, MessageText(world, kMsgCarryLimit));
  }
  if (world.ObjectLine(record, kLoc) != world.local && !BringOutOfContainer(game, record)) return;
  if (ObjectFlag(world, record, 1) != '.') return ReplyAbout(game, kMsgNotHere, record);
  GiveToPlayer(world, record);
  RedrawPanels(game);
  Reply(game, "Ok.");
}

void PutIntoChecked(Game& game, int record, std::string_view container_operand) {
  World& world = game.world();
  const int container = container_operand.empty() ? -1 : ObjectOf(world, container_operand);
  if (!world.HasObject(record) || container < 0) {
    return Reply(game, MessageText(world, kMsgNoSuchObject));
  }
  if (IsCarried(world, record)) {
    LayDownHere(world, record);
    RedrawPanels(game);
  }
  // The object must be here, and the container with the player or here: an object in another
  // location cannot be put into anything, nor anything into a container elsewhere. Places
  // decide; position 1 alone does not make an object elsewhere count as here.
  const std::string& container_place = world.ObjectLine(container, kLoc);
  if (world.ObjectLine(record, kLoc) != world.local ||
      (container_place != world.nick && container_place != world.local)) {
    return ReplyAbout(game, kMsgNotHere, record);
  }
  if (ObjectFlag(world, container, 5) == 'X') {
    const bool masculine = ObjectFlag(world, container, 3) == '.';
    return Reply(game, std::string("N\xE3o d\xE1, el") + (masculine ? "e" : "a") +
                           " est\xE1 fechad" + (masculine ? "o." : "a."));
  }
  if (SizeOf(world, record) >= SizeOf(world, container)) {
    return Reply(game, "N\xE3o cabe dentro.");
  }
  world.SetObjectLine(record, kLoc, world.ObjectLine(container, kPlvr));
  SetObjectFlag(world, record, 2, 'X');
  RedrawPanels(game);
  Reply(game, "Ok.");
}

void DropChecked(Game& game, int record) {
  World& world = game.world();
  if (!world.HasObject(record)) return Reply(game, MessageText(world, kMsgNoSuchObject));
  if (!IsCarried(world, record)) return ReplyAbout(game, kMsgNotCarried, record);
  LayDownHere(world, record);
  RedrawPanels(game);
  Reply(game, "Ok.");
}

}  // namespace zunk

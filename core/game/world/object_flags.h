// Reading and writing an object's state characters (Flags), and where an object is. Positions
// count from 1; a position past the end of the text reads as '.', and writing there first
// extends the text with '.' so nothing is written beyond it.
#pragma once

#include <string>
#include <utility>

#include "game/world/world.h"

namespace zunk {

inline constexpr int kMaxFlagPosition = 20;

inline char ReadFlag(const std::string& flags, int position) {
  return position >= 1 && position <= static_cast<int>(flags.size()) ? flags[position - 1] : '.';
}

inline void WriteFlag(std::string& flags, int position, char state) {
  if (position < 1 || position > kMaxFlagPosition) return;
  if (static_cast<int>(flags.size()) < position) flags.resize(position, '.');
  flags[position - 1] = state;
}

inline char ObjectFlag(const World& world, int record, int position) {
  return ReadFlag(world.ObjectLine(record, kFlags), position);
}

// Writes one position of a record's Flags line; nothing happens for a missing record.
inline void SetObjectFlag(World& world, int record, int position, char state) {
  if (!world.HasObject(record)) return;
  std::string flags = world.ObjectLine(record, kFlags);
  WriteFlag(flags, position, state);
  world.SetObjectLine(record, kFlags, std::move(flags));
}

// Carried: Loc is the player's name and position 1 is 'X'.
inline bool IsCarried(const World& world, int record) {
  return world.ObjectLine(record, kLoc) == world.nick && ObjectFlag(world, record, 1) == 'X';
}

// Lying in the current location: Loc is Local and position 1 is '.'.
inline bool LiesHere(const World& world, int record) {
  return world.ObjectLine(record, kLoc) == world.local && ObjectFlag(world, record, 1) == '.';
}

}  // namespace zunk

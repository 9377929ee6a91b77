// The link table and the link command.
#include "screen/links.h"

#include "game/game.h"

namespace zunk {

Link* LinkTable::Current() {
  if (current < 0 || current >= kLinkCount) return nullptr;
  return &links[current];
}

void LinkTable::DeactivateAll() {
  for (Link& link : links) link.active = false;
}

void LinkCommand(Game& game, std::string_view args) {
  (void)game;
  (void)args;
}

}  // namespace zunk

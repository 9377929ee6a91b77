// What a press on a link starts: the ten link actions, and the released half of a two-state
// button link.
#pragma once

#include "screen/links.h"

namespace zunk {

class Game;

// Runs the action of a pressed link. The link is a copy: actions run scripts, which may
// redefine the table while the action still needs the record.
void StartLinkAction(Game& game, const Link& link);

// A two-state button link (action 4) at the release: draws the right half of its picture.
void ReleaseButtonLink(Game& game, const Link& link);

}  // namespace zunk

// Console commands of the headless player for the browsers' events and the pop-up browser's
// buttons, so the web rules run without a window: what a real browser would report is typed.
#pragma once

#include <ostream>
#include <string>

#include "game/game.h"

namespace zunk {

// Runs "!browser web|popup EVENT" (EVENT: "request URL", "begin", "progress N M", "complete",
// "loaded") or "!popup BUTTON" (btRet, btPrx, btStp, btFim, btSt1..btSt4); false when the
// command is neither. A refused navigation prints "web: cancelada"; mistakes print "aviso:".
bool RunBrowserCommand(Game& game, const std::string& command, const std::string& argument,
                       std::ostream& out);

}  // namespace zunk

// What the browsers' events and the web buttons do. The game window's browser follows the
// off.htm rule (an address holding "off.htm" sends the player back to the game instead) and
// its first completed navigation marks the game's page as loaded; both browsers show their
// downloads on their lamp, their gauge and (the game window's) the status line.
#pragma once

#include <optional>
#include <string_view>

#include "platform/host.h"

namespace zunk {

class Game;

// Before a navigation of a browser: false when it must not happen (the off.htm rule: the game
// window shows the screen page again with the focus in Frase).
bool BrowserNavigationRequested(Game& game, Browser browser, std::string_view url);
// A navigation of the browser completed (the game window's: its game page has loaded).
void BrowserNavigationComplete(Game& game, Browser browser);
// A download began (lamp red, gauge 0, "Baixando página..."), made progress, or completed
// (lamp maroon, status cleared).
void BrowserDownloadBegin(Game& game, Browser browser);
void BrowserProgress(Game& game, Browser browser, int progress, int maximum);
void BrowserDownloadComplete(Game& game, Browser browser);

// The web buttons of the game window: btWeb (the story page in the pop-up until the game's
// page has loaded, then the web page), btChv (the game's instructions in the pop-up), btOnl
// (the site root's home page in the pop-up), btStp's share (the browsers stop).
void PressWebButton(Game& game);
void PressInstructionsButton(Game& game);
void PressOnlineButton(Game& game);
void StopBrowsers(Game& game);

// The pop-up browser's buttons.
enum class PopupButton { Ret, Prx, Stp, Fim, Site1, Site2, Site3, Site4 };
std::optional<PopupButton> PopupButtonByName(std::string_view name);
const char* PopupButtonName(PopupButton button);
// A release: btRet back, btPrx forward, btStp stop, btFim hides the window once pending events
// have run, a site button opens its page of the site root.
void ReleasePopupButton(Game& game, PopupButton button);

}  // namespace zunk

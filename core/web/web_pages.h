// Where pages come from. A game's own pages live under its base URL (Url); with Url empty they
// are opened from the game folder through the confined scheme zunk-jogo:, so a game works
// offline. Site pages live under the site root; without one, zunk's own pages are served
// through zunk-site:. Addresses are CP1252.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zunk {

class Game;

inline constexpr const char* kGamePageRoot = "zunk-jogo://jogo/";
inline constexpr const char* kSitePageRoot = "zunk-site://site/";

// The game's story page (btWeb before the game's page has loaded) and its instructions
// (btChv).
inline constexpr const char* kStoryPage = "enredo.htm";
inline constexpr const char* kInstructionsPage = "index.htm";

// The pages of the site root that the pop-up's four site buttons open; the first is the home
// page ("ZUNK online").
inline constexpr std::array<const char*, 4> kSitePages = {"index.htm", "guia.htm", "frases.htm",
                                                          "sobre.htm"};

// The address of a page of the game: base URL + page, or, with no base URL, the page in the
// game folder (nothing when the name would lead outside it).
std::optional<std::string> GamePageAddress(const Game& game, std::string_view page);

// The address of a page under the site root.
std::string SitePageAddress(const Game& game, std::string_view path);

// A site root as configured: an http or https address (a missing final "/" is added);
// anything else is ignored and gives the empty root (zunk's own pages).
std::string SiteRootFromSetting(std::string_view setting);

// Shows the web page of the game window with the game's page in its browser (the web command
// without a comma, a Prg page, link action 8) and, when asked, the focus in Frase.
void OpenGamePage(Game& game, std::string_view page, bool focus_input = true);

// The script command web: page [, mode].
void WebCommand(Game& game, std::string_view args);

// What web's mode 2 may hand to the system's default handler: an http or https address, or an
// existing file of the game folder that is not a program; anything else is refused (false).
bool OpenWithSystem(Game& game, std::string_view target);

}  // namespace zunk

// The settings page's version and update controls as game rules: "Atualizar" for scripts
// (btAtscp) and for files (btAtarq) with the gauge G2, the version check (btVer) with its
// text stDown and the "Baixar nova versão" button btDown, and the version text Vrs.
#pragma once

#include <cstddef>
#include <string>

#include "game/window_buttons.h"
#include "platform/host.h"

namespace zunk {

class Game;
class GameFolder;

// The controls' state, shown by the window.
struct UpdateControls {
  std::string version;          // Vrs, CP1252
  std::string st_down;          // stDown, CP1252
  bool download_shown = false;  // lbDown and btDown
  GaugeState g2{false, 0, 0, 0};
};

// The game's version text: line 1 of "versao.txt" in the game folder (a file the author
// ships with the game and lists in "arquivos.txt", so an update brings the new text along),
// or "1.0h" when there is none.
inline constexpr const char* kVersionFileName = "versao.txt";
inline constexpr const char* kDefaultVersion = "1.0h";
std::string ReadVersionText(const GameFolder& folder);

enum class UpdateKind { Scripts, Files };

// What an update run did, for tests and the console.
struct UpdateOutcome {
  bool ran = false;         // the list was fetched and read
  std::size_t checked = 0;  // usable pairs looked at
  std::size_t fetched = 0;  // files fetched successfully
  std::size_t failed = 0;   // fetches that failed
};

// "Atualizar": nothing while a transfer runs; fetches the list, then every usable pair's file
// that is missing or has another size, advancing G2 after each pair and letting pending events
// run. btStp ends the run. Guarded: a fault reaches the error display.
UpdateOutcome PressUpdate(Game& game, UpdateKind kind);

// The version check (btVer).
void PressVersionCheck(Game& game);

// "Baixar nova versão" (btDown): starts the installed updater. End when the game should end
// now so that the updater can replace its files; None (with a message in stDown) when the
// updater could not be started.
WindowAction PressDownload(Game& game);

// The updater's access code for a base name.
std::string UpdaterAccessCode(const std::string& base_name);

}  // namespace zunk

// The picture buttons and tick pictures of the game window as game rules: what a press and a
// release of each does to the game (pages, timers, the two source settings). The window shows
// the pressed and released pictures and does only what is its own: ending or minimising.
#pragma once

#include <optional>
#include <string_view>

namespace zunk {

class Game;

enum class WindowButton {
  Fim,   // btFim, "Encerra"
  Min,   // btMin, "Minimiza"
  Vsr,   // btVsr, "Visor"
  Web,   // btWeb, "Web"
  Cfg,   // btCfg, "Configurações"
  Stp,   // btStp, breaks off a web transfer
  Edt,   // btEdt, "Edição"
  Onl,   // "ZUNK online"
  Chv,   // btChv, "Instruções"
  Shd,   // tick: scripts from disk only
  Sweb,  // tick: scripts from the web only
  Ahd,   // tick: files from disk only
  Aweb,  // tick: files from the web only
};

// The button of a name as the window and the console know it ("btFim", "Shd", "btOnl", ...).
std::optional<WindowButton> WindowButtonByName(std::string_view name);
const char* WindowButtonName(WindowButton button);
bool IsTickPicture(WindowButton button);

// What the window does after a release.
enum class WindowAction { None, End, Minimise };

// A press: btFim and btMin stop both timers; a tick picture changes its source setting at once
// (a ticked one unticks, back to disk then web; an unticked one ticks and unticks its partner);
// btStp breaks off the running transfer.
void PressWindowButton(Game& game, WindowButton button);
// A release: btFim and btMin let pending events run and wait 200 ms, then the window ends or
// minimises (the timers stay stopped); btVsr shows the screen page with the focus in Frase;
// btCfg the settings page; btWeb, btOnl and btChv open web pages (web/browser_events.h); btStp
// stops the browser.
WindowAction ReleaseWindowButton(Game& game, WindowButton button);

// Whether a tick picture shows ticked.
bool TickShown(const Game& game, WindowButton tick);

}  // namespace zunk

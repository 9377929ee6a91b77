// The narrow interface through which the portable core reaches the outside world.
// The Qt window and the headless player each implement it; the core never includes
// anything platform specific.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "screen/font.h"
#include "screen/picture.h"

namespace zunk {

struct HttpRequest {
  std::string url;  // already encoded, ASCII
  std::string user;
  std::string password;
  // Called during the transfer with the bytes received so far and the announced size (0
  // while unknown); returning false breaks the transfer off (it then fails).
  std::function<bool(std::uint64_t received, std::uint64_t announced)> progress;
};

struct HttpResult {
  bool ok = false;    // a complete transfer with a success status
  long status = 0;    // HTTP status, 0 when no answer was received
  std::string body;   // the received bytes when ok
  std::string error;  // a short description of the failure
};

// Colours of the fetch lamp Led beside the message window: Idle maroon, Requested aqua (a
// file fetch asked for), Started green (a transfer began), Fetching red (bytes arrive).
enum class Lamp { Idle, Requested, Started, Fetching };

// The two progress gauges of the game window: G1 beside the lamp follows the running
// transfer, G2 on the settings page an update run.
enum class GaugeId { G1, G2 };
struct GaugeState {
  bool visible = true;
  std::int32_t left = 0;  // G2: the x of its left edge on the settings page
  std::uint64_t maximum = 0;
  std::uint64_t position = 0;
};

// What the updater program is started with. The login and password are handed over apart
// from the command line.
struct UpdaterRequest {
  std::string access_code;  // "9k41p2w " + BaseName, CP1252
  std::string url;          // the base address of the game's files, CP1252
  std::string user;         // CP1252
  std::string password;     // CP1252
};

// ---- The four media channels ------------------------------------------------------------
// The core keeps every rule of the channels: how `play` and `stop` read their arguments, the
// header check, the remaining plays, when a channel closes, the stop orders and their faults.
// The host only plays. It reports each end of a play, from its event loop and never from inside
// the call that started it, through Game::MediaPlayEnded (at_end: the play reached the end of
// the file; false when it was broken off), and each error its media layer reports later
// through Game::MediaFailed. A report names the play by its play_id; reports of plays the core
// has since closed or replaced are ignored there.

// One play on a channel: 1 and 2 in the background, 3 waiting for its end, 4 a video in Deck
// placed on Tela at the rectangle (x, y, width, height, as a link stores them: no scroll
// offset is applied), stretched to it, also waiting.
struct MediaRequest {
  int channel = 1;
  std::string file;  // CP1252, relative to the game folder; its head has been checked
  std::uint32_t play_id = 0;
  bool wait = false;        // return only when this play has ended (or was broken off or replaced)
  std::int32_t repeat = 1;  // for display only (the transcript): the repeats are the core's
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Why a channel closes: its last play ended, `stop`, a new file on the channel, a late error.
enum class MediaClose { Finished, Stopped, Replaced, Failed };

// Pages of the game window's page set (Abook).
enum class BookPage { Screen = 0, Extras = 1, Web = 2, Config = 3 };

// The two browsers of the game: Web on the game window's web page, and the pop-up TFm2.
enum class Browser { Book = 0, Popup = 1 };
enum class BrowserOrder { Back, Forward, Stop };

// The two object panels: ObjLoc ("No local:") and ObjJog ("Com você:").
enum class Panel { Loc = 0, Jog = 1 };

class Host {
 public:
  virtual ~Host() = default;

  // Lets pending events (input, timers, datagrams) run once. Handlers may start
  // new script runs re-entrantly.
  virtual void PumpEvents() = 0;

  // Milliseconds since an arbitrary start, wrapping at 2^32 like a tick count.
  virtual std::uint32_t TickCount() = 0;

  // Blocks without handling events.
  virtual void Sleep(std::uint32_t milliseconds) = 0;

  // One blocking HTTP GET with basic authentication.
  virtual HttpResult HttpGet(const HttpRequest& request) = 0;

  virtual void SetLamp(Lamp lamp) = 0;

  // A gauge has a new state: show it now (the caller is busy until the transfer ends).
  virtual void ShowGauge(GaugeId /*gauge*/, const GaugeState& /*state*/) {}
  // The status line Stk has new text while a transfer runs: show it now.
  virtual void ShowStatus() {}
  // A transfer of the game window begins (true) or ends (false); calls nest. While one runs
  // only painting, btStp and closing the window are handled: typed sentences, clicks and
  // timer ticks wait until the outermost transfer has ended.
  virtual void SetTransferRunning(bool /*running*/) {}
  // Whether the machine has an internet connection; true when the platform cannot tell.
  virtual bool InternetConnected() { return true; }
  // Starts the installed updater program for this game (never a program of the game folder);
  // false when it could not be started.
  virtual bool StartUpdater(const UpdaterRequest& /*request*/) { return false; }

  // The standard error display: a fault that ended a script run. Text is CP1252.
  virtual void ShowError(const std::string& message) = 0;

  // Draws CP1252 text onto the picture with the top-left of its first line at x, y, in the
  // font, without a background box. Parts outside the picture are clipped.
  virtual void DrawText(Picture& picture, int x, int y, const std::string& text,
                        const Font& font) = 0;

  // Tela has new contents: show them now (an animated effect shows every step).
  virtual void ShowScreen() {}

  // The object panel pictures have new contents.
  virtual void ShowPanels() {}

  // The two window timers. While the clock is on the host calls Game::ClockTick() every
  // 1000 ms; while the periodic timer is on it calls Game::PeriodicTick() every interval
  // (ticks that fall due while the thread is busy are merged into one, like window timers).
  // A call replaces the timer's earlier setting.
  virtual void SetClockTimer(bool /*on*/) {}
  virtual void SetPeriodicTimer(bool /*on*/, std::uint32_t /*interval_ms*/) {}

  // The pointer shape over Tela, by link cursor code (0 arrow .. 11 cross; above 11 arrow).
  virtual void SetScreenPointer(int /*cursor_code*/) {}
  // Hides the pointer screen-wide (drag-scrolling the screen) ...
  virtual void HidePointer() {}
  // ... and shows it again where it was at the last press on Tela.
  virtual void RestorePointer() {}

  // Shows a page of the page set (the picture screen, the web page, ...).
  virtual void ShowPage(BookPage /*page*/) {}
  // Sends the embedded browser to an address (CP1252); errors are ignored.
  virtual void Navigate(const std::string& /*url*/) {}
  // Media channels (see MediaRequest): opens the file on the channel (whose earlier file the
  // core has closed) and plays it from the start; with wait, returns when the play has ended.
  virtual void PlayMedia(const MediaRequest& /*request*/) {}
  // Plays the channel's open file again from the start, in the background (a repeat).
  virtual void ReplayMedia(int /*channel*/) {}
  // Stops and closes the channel; a channel 3 or 4 wait on it ends.
  virtual void CloseMedia(int /*channel*/, MediaClose /*why*/) {}
  // Hides Deck, the video panel.
  virtual void HideVideo() {}

  // The pointer shape over an object panel, by link cursor code (arrow, or drag over an
  // object).
  virtual void SetPanelPointer(Panel /*panel*/, int /*cursor_code*/) {}
  // While an object is dragged the whole screen shows the multi-drag pointer; off gives back
  // the shape saved when the drag began.
  virtual void SetDragPointer(bool /*on*/) {}
  // The drag window TDrag: shown with its 20 × 20 picture (its outline cut from the picture's
  // magenta) at x, y of the game window and brought to the front; moved; hidden.
  virtual void ShowDragWindow(const Picture& /*picture*/, int /*x*/, int /*y*/) {}
  virtual void MoveDragWindow(int /*x*/, int /*y*/) {}
  virtual void HideDragWindow() {}
  // The keyboard focus goes to the input line Frase.
  virtual void FocusInput() {}

  // ---- Web pages: the pop-up browser TFm2, browser orders and the system's handler --------
  // Navigate() above sends the game window's own browser (Web); these reach the rest. Every
  // address is CP1252 and has been chosen by the core (game pages under the base URL or the
  // game folder's confined scheme, site pages under the site root).
  //
  // TFm2 shows its page 0, goes to the address, becomes visible and comes to the front.
  virtual void ShowPopupBrowser(const std::string& /*url*/) {}
  // TFm2's browser goes to the address; the window stays as it is.
  virtual void NavigatePopup(const std::string& /*url*/) {}
  virtual void HidePopupBrowser() {}
  // Back, forward or stop of one browser; nothing to go back or forward to is ignored.
  virtual void OrderBrowser(Browser /*browser*/, BrowserOrder /*order*/) {}
  // The system's default handler opens an http or https address (CP1252) ...
  virtual void OpenAddressWithSystem(const std::string& /*url*/) {}
  // ... or an existing file of the game folder (absolute path). The core has checked both.
  virtual void OpenFileWithSystem(const std::filesystem::path& /*file*/) {}
};

}  // namespace zunk

// The host of the headless player: no window. Time is a virtual millisecond clock unless
// real time is asked for; the two window timers are scheduled against that clock and fire
// inside event pumps; errors, page changes, browser addresses and media plays are recorded
// for the transcript; HTTP goes through libcurl.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "game/panel_mouse.h"
#include "platform/curl_http.h"
#include "platform/host.h"

namespace zunk {

class Game;

class HeadlessHost : public Host {
 public:
  explicit HeadlessHost(bool realtime = false);

  // The game whose timer handlers the pumps call; set once the game is built.
  void Attach(Game& game) { game_ = &game; }
  // Called at every pump after the due timers, to handle input that waits for the pump.
  void SetPendingInputHandler(std::function<void()> handler) {
    pending_input_ = std::move(handler);
  }

  // Virtual clock: a pump moves time on by 1 ms, fires the due timers, then handles the
  // pending input. Real time: the same without moving the clock.
  void PumpEvents() override;
  std::uint32_t TickCount() override;
  // Moves the virtual clock on (no events run), or sleeps.
  void Sleep(std::uint32_t milliseconds) override;
  HttpResult HttpGet(const HttpRequest& request) override;
  void SetLamp(Lamp) override {}
  // Counts the transfers running; while one runs, pumps fire no timers and take no input.
  void SetTransferRunning(bool running) override;
  // Records "atualizador: CODE URL" instead of starting a program.
  bool StartUpdater(const UpdaterRequest& request) override;
  // The limits of HttpGet (tests shorten them).
  void SetHttpLimits(const HttpLimits& limits) { http_limits_ = limits; }
  void ShowError(const std::string& message) override;
  // Text drawn with Qt, offscreen.
  void DrawText(Picture& picture, int x, int y, const std::string& text, const Font& font) override;

  void SetClockTimer(bool on) override;
  void SetPeriodicTimer(bool on, std::uint32_t interval_ms) override;
  void SetScreenPointer(int cursor_code) override { pointer_code_ = cursor_code; }
  void SetPanelPointer(Panel panel, int cursor_code) override {
    panel_pointer_codes_[PanelIndex(panel)] = cursor_code;
  }
  void ShowPage(BookPage page) override;
  void Navigate(const std::string& url) override;
  // Media channels on the clock: a play lasts the file's duration (WAV and MIDI read from
  // the file, 1 s otherwise); a waiting play moves the clock on by it at once (no events run),
  // a background play ends at the first pump at or after its end. Ends are reported to the
  // game from pumps and from DeliverMediaEnds, never from inside the call that started a play.
  void PlayMedia(const MediaRequest& request) override;
  void ShowPopupBrowser(const std::string& url) override;
  void NavigatePopup(const std::string& url) override;
  void HidePopupBrowser() override;
  void OrderBrowser(Browser browser, BrowserOrder order) override;
  void OpenAddressWithSystem(const std::string& url) override;
  void OpenFileWithSystem(const std::filesystem::path& file) override;
  void ReplayMedia(int channel) override;
  void CloseMedia(int channel, MediaClose why) override;
  // Reports the ends of plays that have ended by now, each channel at most once.
  void DeliverMediaEnds();
  // Lets milliseconds pass on the virtual clock (the console's !wait): plays end at their
  // times, due timers fire once at the end. Real time: sleeps and pumps.
  void Wait(std::uint32_t milliseconds);

  // Fires the timers that are due (each once), without moving the clock or taking input.
  void FireDueTimers();

  // Which timer a console tick stands for.
  enum class TimerKind { Clock, Periodic };
  bool TimerOn(TimerKind kind) const;
  // One tick of the timer as if it had fallen due now (it is rescheduled from now).
  void FireTimer(TimerKind kind);

  // The pointer shape last asked for over Tela (a link cursor code).
  int pointer_code() const { return pointer_code_; }
  // The pointer shape last asked for over an object panel.
  int panel_pointer_code(Panel panel) const { return panel_pointer_codes_[PanelIndex(panel)]; }

  // Transcript lines recorded since the last call ("erro: ...", "página: ...", "web: ...",
  // "janela web: ...", "abrir: ...", "som: ...", "mídia: ..."), in the order they happened,
  // CP1252.
  std::vector<std::string> TakeEvents();

 private:
  struct Schedule {
    bool on = false;
    std::uint64_t interval = 0;  // 0: never falls due
    std::uint64_t due = 0;
  };
  std::uint64_t Now() const;

  struct MediaPlay {
    bool open = false;
    bool playing = false;
    std::uint32_t play_id = 0;
    std::uint32_t duration_ms = 0;
    std::uint64_t ends_at = 0;
  };
  std::uint32_t MediaDuration(const std::string& file) const;
  MediaPlay& Channel(int channel);

  bool realtime_;
  std::array<MediaPlay, 4> media_{};
  // Waiting plays that have ended: channel and play, reported at the next pump.
  std::vector<std::pair<int, std::uint32_t>> ended_waits_;
  std::uint64_t virtual_ms_ = 0;
  Game* game_ = nullptr;
  std::function<void()> pending_input_;
  Schedule clock_;
  Schedule periodic_;
  int pointer_code_ = 0;
  std::array<int, 2> panel_pointer_codes_{};
  BookPage page_ = BookPage::Screen;
  std::vector<std::string> events_;
  int transfers_ = 0;
  HttpLimits http_limits_;
};

// The Portuguese name (UTF-8) of a link cursor code's pointer shape ("seta" above 11).
const char* PointerShapeName(int cursor_code);

}  // namespace zunk

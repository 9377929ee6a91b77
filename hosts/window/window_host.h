// The host of the window program: the game window shows what the core draws, the two window
// timers are real timers and the event pump is Qt's. Driven by an input file (--input) it
// keeps the headless player's virtual clock, timers and transcript instead, so a window run
// gives the same transcript as zunk-run.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "headless_host.h"
#include "input_hold.h"
#include "media_players.h"

namespace zunk {

class GameWindow;

class WindowHost : public HeadlessHost {
 public:
  // scripted: an input file drives the game (virtual clock unless realtime, errors printed).
  WindowHost(bool scripted, bool realtime);
  ~WindowHost() override;

  void AttachWindow(Game& game, GameWindow& window);
  void DetachWindow();

  // Runs pending events; when the window has been closed meanwhile every run ends here.
  void PumpEvents() override;
  void SetLamp(Lamp lamp) override;
  void ShowGauge(GaugeId gauge, const GaugeState& state) override;
  void ShowStatus() override;
  // Holds the player's input back while a transfer runs; a press on btStp goes through.
  void SetTransferRunning(bool running) override;
  // Lets painting, btStp and closing the window run while the transfer goes on; closing
  // breaks the transfer off and ends every run.
  HttpResult HttpGet(const HttpRequest& request) override;
  // Qt's network information where the platform can tell; connected when it cannot.
  bool InternetConnected() override;
  // Starts zunk-atualiza from the program's own folder (never a program of the game folder),
  // handing it the login and password through a pipe on its standard input.
  bool StartUpdater(const UpdaterRequest& request) override;
  void ShowError(const std::string& message) override;
  void ShowScreen() override;
  void ShowPanels() override;
  void SetClockTimer(bool on) override;
  void SetPeriodicTimer(bool on, std::uint32_t interval_ms) override;
  void SetScreenPointer(int cursor_code) override;
  void HidePointer() override;
  void RestorePointer() override;
  void ShowPage(BookPage page) override;
  void SetPanelPointer(Panel panel, int cursor_code) override;
  void SetDragPointer(bool on) override;
  void ShowDragWindow(const Picture& picture, int x, int y) override;
  void MoveDragWindow(int x, int y) override;
  void HideDragWindow() override;
  void FocusInput() override;
  // The media channels: Qt Multimedia players, made after the first frame has been painted
  // (or at the first play before it); driven by an input file, the headless player's channels
  // on its clock instead.
  void PlayMedia(const MediaRequest& request) override;
  void ReplayMedia(int channel) override;
  void CloseMedia(int channel, MediaClose why) override;
  void HideVideo() override;
  // The players, once the window is attached (none when driven by an input file).
  MediaPlayers* media_players() const { return media_players_.get(); }
  void Navigate(const std::string& url) override;
  void ShowPopupBrowser(const std::string& url) override;
  void NavigatePopup(const std::string& url) override;
  void HidePopupBrowser() override;
  void OrderBrowser(Browser browser, BrowserOrder order) override;
  void OpenAddressWithSystem(const std::string& url) override;
  void OpenFileWithSystem(const std::filesystem::path& file) override;

  // Holds the player's input back until the returned hold ends (a blocking play or transfer);
  // timer ticks that fall due meanwhile fire once afterwards.
  std::unique_ptr<InputHold> HoldInput(InputHold::Passes passes = {});

  // The error box shown now, if any (one at a time; later faults are added to it).
  QMessageBox* error_box() const { return error_box_; }

 private:
  bool scripted_;
  Game* game_ = nullptr;
  GameWindow* window_ = nullptr;
  QTimer clock_timer_;
  QTimer periodic_timer_;
  bool clock_tick_held_ = false;
  bool periodic_tick_held_ = false;
  QPointer<QMessageBox> error_box_;
  std::unique_ptr<MediaPlayers> media_players_;
  int transfers_ = 0;
  std::unique_ptr<InputHold> transfer_hold_;
};

}  // namespace zunk

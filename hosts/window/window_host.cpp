// Window host services.
#include "window_host.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QNetworkInformation>
#include <QUrl>
#include <utility>

#include "game/game.h"
#include "game_window.h"
#include "platform/cp1252.h"
#include "qt_strings.h"
#include "script/script_fault.h"
#include "updater_command.h"

namespace zunk {

WindowHost::WindowHost(bool scripted, bool realtime)
    : HeadlessHost(!scripted || realtime), scripted_(scripted) {
  // Ticks that fall due while the thread is busy are merged into one, as window timers are.
  clock_timer_.setTimerType(Qt::CoarseTimer);
  periodic_timer_.setTimerType(Qt::PreciseTimer);
}

WindowHost::~WindowHost() = default;

void WindowHost::AttachWindow(Game& game, GameWindow& window) {
  game_ = &game;
  window_ = &window;
  Attach(game);
  if (!scripted_) {
    media_players_ = std::make_unique<MediaPlayers>(*this, game, window);
    // The media back end loads after the first frame, not before it: later than the frame's
    // own first-paint calls.
    window.OnFirstPaint([this] {
      QTimer::singleShot(0, &clock_timer_, [this] {
        if (media_players_ != nullptr) media_players_->FirstFramePainted();
      });
    });
  }
  QObject::connect(&clock_timer_, &QTimer::timeout, &window, [this] {
    if (InputHold::Active()) {
      clock_tick_held_ = true;
    } else if (window_ != nullptr) {
      window_->Dispatch([this] { game_->ClockTick(); });
    }
  });
  QObject::connect(&periodic_timer_, &QTimer::timeout, &window, [this] {
    if (InputHold::Active()) {
      periodic_tick_held_ = true;
    } else if (window_ != nullptr) {
      window_->Dispatch([this] { game_->PeriodicTick(); });
    }
  });
}

void WindowHost::DetachWindow() {
  clock_timer_.stop();
  periodic_timer_.stop();
  media_players_.reset();
  window_ = nullptr;
}

std::unique_ptr<InputHold> WindowHost::HoldInput(InputHold::Passes passes) {
  return std::make_unique<InputHold>(std::move(passes), [this] {
    // Ticks held back fire once, from the event loop, after the held input.
    QTimer::singleShot(0, &clock_timer_, [this] {
      if (window_ == nullptr || InputHold::Active()) return;
      const bool clock = std::exchange(clock_tick_held_, false);
      const bool periodic = std::exchange(periodic_tick_held_, false);
      if (clock && clock_timer_.isActive()) window_->Dispatch([this] { game_->ClockTick(); });
      if (periodic && periodic_timer_.isActive()) {
        window_->Dispatch([this] { game_->PeriodicTick(); });
      }
    });
  });
}

void WindowHost::PumpEvents() {
  if (window_ != nullptr && window_->closing()) throw RunsEnded();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (window_ != nullptr && window_->closing()) throw RunsEnded();
  // Driven by a file: the virtual clock moves on, due timers fire, queued lines run.
  if (scripted_) HeadlessHost::PumpEvents();
}

void WindowHost::SetLamp(Lamp lamp) {
  if (window_ != nullptr) window_->SetLamp(lamp);
}

void WindowHost::ShowGauge(GaugeId gauge, const GaugeState& state) {
  if (window_ != nullptr) window_->ShowGauge(gauge, state);
}

void WindowHost::ShowStatus() {
  if (window_ != nullptr) window_->ShowStatusNow();
}

void WindowHost::SetTransferRunning(bool running) {
  HeadlessHost::SetTransferRunning(running);
  transfers_ += running ? 1 : -1;
  if (transfers_ > 0 && !transfer_hold_ && window_ != nullptr) {
    GameWindow* window = window_;
    transfer_hold_ = HoldInput([window](QWidget* target, QEvent*) {
      const PictureButton* stop = window->button(QStringLiteral("btStp"));
      return stop != nullptr && target == stop;
    });
  } else if (transfers_ <= 0) {
    transfers_ = 0;
    transfer_hold_.reset();
  }
}

HttpResult WindowHost::HttpGet(const HttpRequest& request) {
  if (window_ == nullptr) return HeadlessHost::HttpGet(request);
  HttpRequest pumped = request;
  QElapsedTimer since_pump;
  pumped.progress = [this, &request, &since_pump](std::uint64_t received, std::uint64_t announced) {
    // Input is held: this paints, takes btStp and notices the window closing. libcurl may
    // report every few kilobytes; events run at most every 10 ms.
    if (!since_pump.isValid() || since_pump.elapsed() >= 10) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
      since_pump.start();
    }
    if (window_ == nullptr || window_->closing()) return false;
    return request.progress ? request.progress(received, announced) : true;
  };
  HttpResult result = HeadlessHost::HttpGet(pumped);
  if (window_ != nullptr && window_->closing()) throw RunsEnded();
  return result;
}

bool WindowHost::InternetConnected() {
  if (!QNetworkInformation::instance()) {
    QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
  }
  const QNetworkInformation* info = QNetworkInformation::instance();
  if (info == nullptr || !info->supports(QNetworkInformation::Feature::Reachability)) return true;
  switch (info->reachability()) {
    case QNetworkInformation::Reachability::Disconnected:
    case QNetworkInformation::Reachability::Local:
      return false;
    default:
      return true;  // online, a site network that may reach it, or unknown
  }
}

bool WindowHost::StartUpdater(const UpdaterRequest& request) {
  const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(kUpdaterProgram);
  if (!QFileInfo(program).isExecutable() || game_ == nullptr) return false;
  // The game is started again as it was started now.
  std::vector<std::string> restart = {QCoreApplication::applicationFilePath().toStdString()};
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) restart.push_back(arguments[i].toStdString());
  UpdaterCommand command;
  command.program = program.toStdString();
  command.access_code = Cp1252ToUtf8(request.access_code);
  command.game_dir = game_->folder().path().string();
  command.url = Cp1252ToUtf8(request.url);
  command.game_pid = static_cast<long>(::getpid());
  command.restart = std::move(restart);
  return LaunchUpdater(command,
                       Credentials{Cp1252ToUtf8(request.user), Cp1252ToUtf8(request.password)}) > 0;
}

void WindowHost::ShowError(const std::string& message) {
  if (scripted_ || window_ == nullptr) {
    HeadlessHost::ShowError(message);
    return;
  }
  if (error_box_ != nullptr) {
    // A fault while the box is open joins it instead of stacking a new box.
    error_box_->setText(error_box_->text() + "\n\n" + FromCp1252(message));
    return;
  }
  QMessageBox box(QMessageBox::Warning, QStringLiteral("zunk"), FromCp1252(message),
                  QMessageBox::Ok, window_);
  error_box_ = &box;
  box.exec();
  error_box_ = nullptr;
}

void WindowHost::ShowScreen() {
  if (window_ == nullptr) return;
  window_->ShowScreenNow();
  // An effect shows every step: paint now, not at the next return to the event loop.
  window_->tela().repaint();
}

void WindowHost::ShowPanels() {
  if (window_ != nullptr) window_->ShowPanelsNow();
}

void WindowHost::SetClockTimer(bool on) {
  if (scripted_) {
    HeadlessHost::SetClockTimer(on);
    return;
  }
  if (on) {
    clock_timer_.start(static_cast<int>(kClockInterval));
  } else {
    clock_timer_.stop();
  }
}

void WindowHost::SetPeriodicTimer(bool on, std::uint32_t interval_ms) {
  if (scripted_) {
    HeadlessHost::SetPeriodicTimer(on, interval_ms);
    return;
  }
  // A window timer with interval 0 never fires.
  if (on && interval_ms > 0) {
    periodic_timer_.start(static_cast<int>(std::min<std::uint32_t>(interval_ms, INT32_MAX)));
  } else {
    periodic_timer_.stop();
  }
}

void WindowHost::SetScreenPointer(int cursor_code) {
  HeadlessHost::SetScreenPointer(cursor_code);
  if (window_ != nullptr) window_->SetScreenPointer(cursor_code);
}

void WindowHost::HidePointer() {
  if (window_ != nullptr) window_->HidePointer();
}

void WindowHost::RestorePointer() {
  if (window_ != nullptr) window_->RestorePointer();
}

void WindowHost::ShowPage(BookPage page) {
  HeadlessHost::ShowPage(page);
  if (window_ != nullptr) window_->ShowPage(page);
}

void WindowHost::SetPanelPointer(Panel panel, int cursor_code) {
  HeadlessHost::SetPanelPointer(panel, cursor_code);
  if (window_ != nullptr) window_->SetPanelPointer(panel, cursor_code);
}

void WindowHost::SetDragPointer(bool on) {
  if (window_ != nullptr) window_->SetDragPointer(on);
}

void WindowHost::ShowDragWindow(const Picture& picture, int x, int y) {
  if (window_ != nullptr) window_->ShowDragWindow(picture, x, y);
}

void WindowHost::MoveDragWindow(int x, int y) {
  if (window_ != nullptr) window_->MoveDragWindow(x, y);
}

void WindowHost::HideDragWindow() {
  if (window_ != nullptr) window_->HideDragWindow();
}

void WindowHost::Navigate(const std::string& url) {
  HeadlessHost::Navigate(url);
  if (window_ != nullptr) window_->NavigateBook(url);
}

void WindowHost::ShowPopupBrowser(const std::string& url) {
  HeadlessHost::ShowPopupBrowser(url);
  if (window_ != nullptr) window_->ShowPopupBrowser(url);
}

void WindowHost::NavigatePopup(const std::string& url) {
  HeadlessHost::NavigatePopup(url);
  if (window_ != nullptr) window_->NavigatePopup(url);
}

void WindowHost::HidePopupBrowser() {
  HeadlessHost::HidePopupBrowser();
  if (window_ != nullptr) window_->HidePopupBrowser();
}

void WindowHost::OrderBrowser(Browser browser, BrowserOrder order) {
  HeadlessHost::OrderBrowser(browser, order);
  if (window_ != nullptr) window_->OrderBrowser(browser, order);
}

void WindowHost::OpenAddressWithSystem(const std::string& url) {
  HeadlessHost::OpenAddressWithSystem(url);
  // Driven by a file, nothing outside the game is started.
  if (scripted_) return;
  // The address as Qt reads it must be a web address too: the desktop opens nothing else.
  const QUrl address(FromCp1252(url), QUrl::StrictMode);
  const QString scheme = address.scheme().toLower();
  if (address.isValid() && (scheme == "http" || scheme == "https")) {
    QDesktopServices::openUrl(address);
  }
}

void WindowHost::OpenFileWithSystem(const std::filesystem::path& file) {
  HeadlessHost::OpenFileWithSystem(file);
  if (!scripted_)
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

void WindowHost::FocusInput() {
  if (window_ != nullptr) window_->FocusInput();
}

void WindowHost::PlayMedia(const MediaRequest& request) {
  if (media_players_ == nullptr) return HeadlessHost::PlayMedia(request);
  media_players_->Play(request);
}

void WindowHost::ReplayMedia(int channel) {
  if (media_players_ == nullptr) return HeadlessHost::ReplayMedia(channel);
  media_players_->Replay(channel);
}

void WindowHost::CloseMedia(int channel, MediaClose why) {
  if (media_players_ == nullptr) return HeadlessHost::CloseMedia(channel, why);
  media_players_->Close(channel);
}

void WindowHost::HideVideo() {
  if (media_players_ != nullptr) media_players_->HideVideo();
}

}  // namespace zunk

// Headless host services: the virtual or real clock, the two window timers, and what the
// transcript records of pages and the browser.
#include "headless_host.h"

#include <array>
#include <chrono>
#include <thread>

#include "game/game.h"
#include "platform/cp1252.h"
#include "platform/curl_http.h"
#include "qt_text.h"

namespace zunk {

HeadlessHost::HeadlessHost(bool realtime) : realtime_(realtime) {}

std::uint64_t HeadlessHost::Now() const {
  if (!realtime_) return virtual_ms_;
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::uint32_t HeadlessHost::TickCount() {
  return static_cast<std::uint32_t>(Now());
}

void HeadlessHost::Sleep(std::uint32_t milliseconds) {
  if (realtime_) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  } else {
    virtual_ms_ += milliseconds;
  }
}

void HeadlessHost::PumpEvents() {
  if (!realtime_) ++virtual_ms_;
  // While a transfer runs timers and input wait, as in the window.
  if (transfers_ > 0) return;
  FireDueTimers();
  DeliverMediaEnds();
  if (pending_input_) pending_input_();
}

void HeadlessHost::FireDueTimers() {
  if (game_ == nullptr) return;
  // A timer that fell due several times while the thread was busy fires once.
  if (clock_.on && clock_.interval > 0 && Now() >= clock_.due) FireTimer(TimerKind::Clock);
  if (periodic_.on && periodic_.interval > 0 && Now() >= periodic_.due) {
    FireTimer(TimerKind::Periodic);
  }
}

bool HeadlessHost::TimerOn(TimerKind kind) const {
  return kind == TimerKind::Clock ? clock_.on : periodic_.on;
}

void HeadlessHost::FireTimer(TimerKind kind) {
  if (game_ == nullptr) return;
  // Rescheduled before the handler runs, so a pump inside it sees the next due time.
  Schedule& schedule = kind == TimerKind::Clock ? clock_ : periodic_;
  schedule.due = Now() + schedule.interval;
  if (kind == TimerKind::Clock) {
    game_->ClockTick();
  } else {
    game_->PeriodicTick();
  }
}

void HeadlessHost::SetClockTimer(bool on) {
  clock_ = {on, kClockInterval, Now() + kClockInterval};
}

void HeadlessHost::SetPeriodicTimer(bool on, std::uint32_t interval_ms) {
  periodic_ = {on, interval_ms, Now() + interval_ms};
}

void HeadlessHost::ShowError(const std::string& message) {
  events_.push_back("erro: " + message);
}

void HeadlessHost::ShowPage(BookPage page) {
  if (page == page_) return;
  page_ = page;
  static constexpr std::array<const char*, 4> kNames = {"Visor", "Extras", "Web", "Config"};
  const auto index = static_cast<std::size_t>(page);
  events_.push_back(std::string("p\xE1gina: ") + (index < kNames.size() ? kNames[index] : "?"));
}

void HeadlessHost::Navigate(const std::string& url) {
  events_.push_back("web: " + url);
}

void HeadlessHost::ShowPopupBrowser(const std::string& url) {
  events_.push_back("janela web: " + url);
}

void HeadlessHost::NavigatePopup(const std::string& url) {
  events_.push_back("janela web: " + url);
}

void HeadlessHost::HidePopupBrowser() {
  events_.push_back("janela web: fechada");
}

void HeadlessHost::OrderBrowser(Browser browser, BrowserOrder order) {
  static constexpr std::array<const char*, 3> kOrders = {"voltar",
                                                         "avan\xE7"
                                                         "ar",
                                                         "parar"};
  events_.push_back(std::string(browser == Browser::Book ? "web: " : "janela web: ") +
                    kOrders[static_cast<std::size_t>(order)]);
}

void HeadlessHost::OpenAddressWithSystem(const std::string& url) {
  events_.push_back("abrir: " + url);
}

void HeadlessHost::OpenFileWithSystem(const std::filesystem::path& file) {
  // Relative to the game folder, so transcripts are the same on every machine.
  std::string shown = file.string();
  if (game_ != nullptr) shown = file.lexically_relative(game_->folder().path()).string();
  events_.push_back("abrir: " + Utf8ToCp1252(shown));
}

void HeadlessHost::DrawText(Picture& picture, int x, int y, const std::string& text,
                            const Font& font) {
  DrawTextOnPicture(picture, x, y, text, font);
}

HttpResult HeadlessHost::HttpGet(const HttpRequest& request) {
  return CurlGet(request, http_limits_);
}

void HeadlessHost::SetTransferRunning(bool running) {
  transfers_ += running ? 1 : -1;
}

bool HeadlessHost::StartUpdater(const UpdaterRequest& request) {
  // The player never starts programs: the start is recorded (without the login).
  events_.push_back("atualizador: " + request.access_code + " " + request.url);
  return true;
}

std::vector<std::string> HeadlessHost::TakeEvents() {
  std::vector<std::string> taken;
  taken.swap(events_);
  return taken;
}

const char* PointerShapeName(int cursor_code) {
  static constexpr std::array<const char*, 12> kNames = {"seta",
                                                         "arrastar",
                                                         "mão",
                                                         "divisão horizontal",
                                                         "arrastar vários",
                                                         "proibido",
                                                         "divisão vertical",
                                                         "seta com ampulheta",
                                                         "nenhum",
                                                         "não soltar",
                                                         "ampulheta",
                                                         "cruz"};
  if (cursor_code < 0 || cursor_code >= static_cast<int>(kNames.size())) return kNames[0];
  return kNames[static_cast<std::size_t>(cursor_code)];
}

}  // namespace zunk

// Shared test helpers: a scriptable fake host, a temporary game folder, and a fixture that
// starts a game over them.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "game/game.h"
#include "script/script_codec.h"

namespace zunk::testing {

using Strings = std::vector<std::string>;

// Records what the core asks of it, in order, in log ("pump", "lamp on", "get URL", ...).
class FakeHost : public Host {
 public:
  void PumpEvents() override {
    log.push_back("pump");
    if (on_pump) on_pump();
  }
  // A virtual clock that only Sleep moves on.
  std::uint32_t TickCount() override { return clock; }
  void Sleep(std::uint32_t milliseconds) override {
    log.push_back("sleep " + std::to_string(milliseconds));
    clock += milliseconds;
  }
  HttpResult HttpGet(const HttpRequest& request) override {
    log.push_back("get " + request.url);
    requests.push_back(request);
    return http ? http(request) : HttpResult{};
  }
  // Logs "lamp off" (maroon) and "lamp on" (aqua, a fetch asked for); the transfer colours
  // green and red are kept in lamps.
  void SetLamp(Lamp lamp) override {
    if (lamp == Lamp::Idle || lamp == Lamp::Requested) {
      log.push_back(lamp == Lamp::Idle ? "lamp off" : "lamp on");
    }
    lamps.push_back(lamp);
  }
  void ShowGauge(GaugeId gauge, const GaugeState& state) override {
    (gauge == GaugeId::G1 ? g1 : g2).push_back(state);
  }
  void SetTransferRunning(bool running) override { transfer_depth += running ? 1 : -1; }
  bool InternetConnected() override { return connected; }
  bool StartUpdater(const UpdaterRequest& request) override {
    updater_requests.push_back(request);
    return updater_starts;
  }
  void ShowError(const std::string& message) override { errors.push_back(message); }
  // Logs "text X,Y RRGGBB TEXT" (the colour as scripts write it, in hex) and marks the pixel
  // at x, y with the font colour, so tests see where and in which colour text went.
  void DrawText(Picture& picture, int x, int y, const std::string& text,
                const Font& font) override {
    char colour[8];
    std::snprintf(colour, sizeof colour, "%06X", font.colour & 0xFFFFFF);
    log.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + colour + " " +
                  text);
    if (x >= 0 && y >= 0 && x < picture.width() && y < picture.height()) {
      picture.SetPixel(x, y, font.colour);
    }
  }
  void ShowScreen() override { log.push_back("show"); }
  void ShowPanels() override { log.push_back("panels"); }
  // Logs "clock on|off", "periodic on N|off", "pointer N", "hide pointer", "restore pointer",
  // "page N", "navigate URL", "play CH REPEAT FILE [X,Y WxH]".
  void SetClockTimer(bool on) override { log.push_back(on ? "clock on" : "clock off"); }
  void SetPeriodicTimer(bool on, std::uint32_t interval) override {
    log.push_back(on ? "periodic on " + std::to_string(interval) : "periodic off");
  }
  void SetScreenPointer(int code) override { log.push_back("pointer " + std::to_string(code)); }
  void HidePointer() override { log.push_back("hide pointer"); }
  void RestorePointer() override { log.push_back("restore pointer"); }
  void ShowPage(BookPage page) override {
    log.push_back("page " + std::to_string(static_cast<int>(page)));
  }
  void Navigate(const std::string& url) override { log.push_back("navigate " + url); }
  void PlayMedia(const MediaRequest& r) override {
    std::string entry =
        "play " + std::to_string(r.channel) + " " + std::to_string(r.repeat) + " " + r.file;
    if (r.channel == 4) {
      entry += " " + std::to_string(r.x) + "," + std::to_string(r.y) + " " +
               std::to_string(r.width) + "x" + std::to_string(r.height);
    }
    log.push_back(entry);
    plays.push_back(r);
    if (on_play) on_play(r);
  }
  // Logs "replay C", "close C finished|stopped|replaced|failed" and "hide video".
  void ReplayMedia(int channel) override { log.push_back("replay " + std::to_string(channel)); }
  void CloseMedia(int channel, MediaClose why) override {
    static const char* const kWhy[] = {"finished", "stopped", "replaced", "failed"};
    log.push_back("close " + std::to_string(channel) + " " + kWhy[static_cast<int>(why)]);
  }
  void HideVideo() override { log.push_back("hide video"); }

  // Logs "panel pointer L|J N", "drag pointer on|off", "drag show X,Y", "drag move X,Y",
  // "drag hide" and "focus input"; the drag window's picture is kept.
  void SetPanelPointer(Panel panel, int code) override {
    log.push_back(std::string("panel pointer ") + (panel == Panel::Loc ? "L " : "J ") +
                  std::to_string(code));
  }
  void SetDragPointer(bool on) override {
    log.push_back(on ? "drag pointer on" : "drag pointer off");
  }
  void ShowDragWindow(const Picture& picture, int x, int y) override {
    drag_picture = picture;
    log.push_back("drag show " + std::to_string(x) + "," + std::to_string(y));
  }
  void MoveDragWindow(int x, int y) override {
    log.push_back("drag move " + std::to_string(x) + "," + std::to_string(y));
  }
  void HideDragWindow() override { log.push_back("drag hide"); }
  void FocusInput() override { log.push_back("focus input"); }

  Strings log;
  Picture drag_picture;
  std::uint32_t clock = 0;
  std::function<void()> on_pump;
  std::vector<MediaRequest> plays;
  std::function<void(const MediaRequest&)> on_play;
  std::function<HttpResult(const HttpRequest&)> http;
  std::vector<HttpRequest> requests;
  Strings errors;
  std::vector<Lamp> lamps;
  std::vector<GaugeState> g1;
  std::vector<GaugeState> g2;
  int transfer_depth = 0;
  bool connected = true;
  bool updater_starts = true;
  std::vector<UpdaterRequest> updater_requests;
};

// A fresh folder under the system's temporary folder, removed with its contents.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zunk-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() { std::filesystem::remove_all(path_, ec_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::error_code ec_;
};

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Sets a file's or folder's time an hour back, as an installed game's is: the game folder
// keeps a folder's listing only once its time has settled.
inline void SettleTime(const std::filesystem::path& path) {
  std::filesystem::last_write_time(
      path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A game folder with base name "teste" and a game started over it on demand.
class GameTest : public ::testing::Test {
 protected:
  void WriteFile(const std::string& name, const std::string& bytes) {
    WriteBytes(dir_.path() / name, bytes);
  }
  void WriteScript(const std::string& name, const Strings& lines) {
    WriteFile(name + ".scpt", EncodeScript(lines));
  }

  void Start(const std::string& url = "") {
    game_ = std::make_unique<Game>(host_, GameConfig{dir_.path(), "teste", url, {}});
  }
  Game& game() { return *game_; }
  World& world() { return game_->world(); }
  Interpreter& interp() { return game_->interpreter(); }
  const Strings& shown() { return game_->output().lines(); }  // the message window

  // Exec runs a line as the editor would; Run and RunLines (which writes the lines as
  // "t.scpt" first) run a script through the guarded entry, as an event handler would.
  std::int32_t Exec(const std::string& line) { return interp().ExecLine(line); }
  void Run(const std::string& name) { game_->RunScriptFromHost(name); }
  void RunLines(const Strings& lines) {
    WriteScript("t", lines);
    Run("t");
  }

  TempDir dir_;
  FakeHost host_;
  std::unique_ptr<Game> game_;
};

}  // namespace zunk::testing

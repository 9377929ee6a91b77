// Shared test helpers: a scriptable fake host, a temporary game folder, and a fixture that
// starts a game over them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/game.h"
#include "platform/host.h"

namespace zunk::testing {

class FakeHost : public Host {
 public:
  void PumpEvents() override {
    ++pumps;
    if (on_pump) on_pump();
  }
  std::uint32_t TickCount() override { return ticks; }
  void Sleep(std::uint32_t milliseconds) override { ticks += milliseconds; }
  HttpResult HttpGet(const HttpRequest& request) override {
    requests.push_back(request);
    if (http) return http(request);
    return HttpResult{};
  }
  void SetLamp(Lamp lamp) override { lamps.push_back(lamp); }
  void ShowError(const std::string& message) override { errors.push_back(message); }

  int pumps = 0;
  std::uint32_t ticks = 0;
  std::function<void()> on_pump;
  std::function<HttpResult(const HttpRequest&)> http;
  std::vector<HttpRequest> requests;
  std::vector<Lamp> lamps;
  std::vector<std::string> errors;
};

// A fresh folder under the system's temporary folder, removed with its contents.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& path);

// A game folder with base name "teste" and a game started over it on demand.
class GameTest : public ::testing::Test {
 protected:
  static constexpr const char* kBase = "teste";

  void WriteFile(const std::string& name, const std::string& bytes);
  void WriteData(const std::string& extension, const std::string& text);  // CR LF joined
  void WriteScript(const std::string& name, const std::vector<std::string>& lines);

  Game& Start(const std::string& url = "");
  Game& game() { return *game_; }
  World& world() { return game_->world(); }
  Interpreter& interp() { return game_->interpreter(); }
  Output& output() { return game_->output(); }

  // Runs a line as the editor would.
  std::int32_t Exec(const std::string& line) { return interp().ExecLine(line); }
  // Runs a script given as lines (written as "t.scpt" first) through the guarded entry.
  void RunLines(const std::vector<std::string>& lines);

  TempDir dir_;
  FakeHost host_;
  std::unique_ptr<Game> game_;
};

}  // namespace zunk::testing

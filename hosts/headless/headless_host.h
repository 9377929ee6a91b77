// The host of the headless player: no window; errors and lamp changes are recorded for the
// transcript, HTTP goes through libcurl, time is the real clock.
#pragma once

#include <string>
#include <vector>

#include "platform/host.h"

namespace zunk {

class HeadlessHost : public Host {
 public:
  void PumpEvents() override {}
  std::uint32_t TickCount() override;
  void Sleep(std::uint32_t milliseconds) override;
  HttpResult HttpGet(const HttpRequest& request) override;
  void SetLamp(Lamp) override {}
  void ShowError(const std::string& message) override { errors_.push_back(message); }
  // Text drawn with Qt, offscreen.
  void DrawText(Picture& picture, int x, int y, const std::string& text, const Font& font) override;

  // Errors shown since the last call, oldest first (CP1252).
  std::vector<std::string> TakeErrors();

 private:
  std::vector<std::string> errors_;
};

}  // namespace zunk

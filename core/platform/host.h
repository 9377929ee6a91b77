// The narrow interface through which the portable core reaches the outside world.
// The Qt window and the headless player each implement it; the core never includes
// anything platform specific.
#pragma once

#include <cstdint>
#include <string>

#include "screen/font.h"
#include "screen/picture.h"

namespace zunk {

struct HttpRequest {
  std::string url;  // already encoded, ASCII
  std::string user;
  std::string password;
};

struct HttpResult {
  bool ok = false;     // a complete transfer with a success status
  long status = 0;     // HTTP status, 0 when no answer was received
  std::string body;    // the received bytes when ok
  std::string error;   // a short description of the failure
};

// Colours of the fetch lamp beside the message window.
enum class Lamp { Idle, Fetching };

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
};

}  // namespace zunk

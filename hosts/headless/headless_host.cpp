// Headless host services.
#include "headless_host.h"

#include <chrono>
#include <thread>

#include "platform/curl_http.h"
#include "qt_text.h"

namespace zunk {

std::uint32_t HeadlessHost::TickCount() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void HeadlessHost::Sleep(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void HeadlessHost::DrawText(Picture& picture, int x, int y, const std::string& text,
                            const Font& font) {
  DrawTextOnPicture(picture, x, y, text, font);
}

HttpResult HeadlessHost::HttpGet(const HttpRequest& request) {
  return CurlGet(request);
}

std::vector<std::string> HeadlessHost::TakeErrors() {
  std::vector<std::string> taken;
  taken.swap(errors_);
  return taken;
}

}  // namespace zunk

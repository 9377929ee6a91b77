// The message window, the status line and the three suggestions as model state. A window
// shows them; the headless player prints them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zunk {

inline constexpr const char* kInitialStatus = "Status...";

struct Suggestion {
  std::string caption;
  std::string script;
};

class Output {
 public:
  // Removes all lines and shows text alone.
  void ShowMessage(std::string text);
  // Appends a line and makes it the last written line.
  void AddMessageLine(std::string text);
  // Appends text to the last written line; when that line no longer exists (after Show echo
  // or Clear output) the text becomes a new last line instead of being lost.
  void ExtendMessageLine(std::string_view text);
  // Removes all lines and shows the echo line in the status line.
  void ShowEcho();
  // Removes all lines and empties the status line.
  void ClearOutput();
  // Removes all lines; the status line and the last written line's index stay.
  void ClearMessages() { lines_.clear(); }
  void ClearSuggestions();
  // Replaces the status line's text (transfers and the browser's downloads show their
  // progress there).
  void SetStatus(std::string text) { status_ = std::move(text); }

  const std::vector<std::string>& lines() const { return lines_; }
  std::int32_t last_msg_line() const { return last_msg_line_; }
  const std::string& status() const { return status_; }

  std::string echo_line;
  std::array<Suggestion, 3> suggestions;

 private:
  std::vector<std::string> lines_;
  std::int32_t last_msg_line_ = 0;
  std::string status_ = kInitialStatus;
};

}  // namespace zunk

// Message window operations.
#include "game/output.h"

namespace zunk {

void Output::ShowMessage(std::string text) {
  lines_.clear();
  lines_.push_back(std::move(text));
  last_msg_line_ = 0;
}

void Output::AddMessageLine(std::string text) {
  lines_.push_back(std::move(text));
  last_msg_line_ = static_cast<std::int32_t>(lines_.size()) - 1;
}

void Output::ExtendMessageLine(std::string_view text) {
  if (last_msg_line_ >= 0 && static_cast<std::size_t>(last_msg_line_) < lines_.size()) {
    lines_[last_msg_line_].append(text);
  } else {
    AddMessageLine(std::string(text));
  }
}

void Output::ShowEcho() {
  lines_.clear();
  status_ = echo_line;
}

void Output::ClearOutput() {
  lines_.clear();
  status_.clear();
}

void Output::ClearSuggestions() {
  for (Suggestion& s : suggestions) s = Suggestion{};
}

}  // namespace zunk

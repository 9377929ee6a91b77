// Reading the settings file's values and writing the login lines back in place.
#include "game/settings.h"

#include <algorithm>
#include <vector>

namespace zunk {
namespace {

constexpr std::size_t kStartScriptLine = 3;
constexpr std::size_t kLoginLine = 5;
constexpr std::size_t kPasswordLine = 6;
constexpr std::size_t kSiteRootLine = 8;

// One line of a file: its text and the line end after it (empty for a last line without one).
struct LineSpan {
  std::string_view text;
  std::string_view end;
};

std::vector<LineSpan> LineSpans(std::string_view bytes) {
  std::vector<LineSpan> spans;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t stop = bytes.find_first_of("\r\n", start);
    if (stop == std::string_view::npos) {
      spans.push_back({bytes.substr(start), {}});
      break;
    }
    const std::size_t end_length =
        bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n' ? 2 : 1;
    spans.push_back({bytes.substr(start, stop - start), bytes.substr(stop, end_length)});
    start = stop + end_length;
  }
  return spans;
}

// A line as the game loaded it: cut at the loading bound.
std::string_view AsLoaded(std::string_view line) {
  return line.substr(0, std::min(line.size(), kMaxLoadedLineBytes));
}

}  // namespace

StartSettings SettingsFromLines(const LineList& lines) {
  StartSettings settings;
  const auto line = [&](std::size_t i) -> std::optional<std::string> {
    if (lines.Count() > static_cast<int>(i)) return lines.Get(static_cast<int>(i));
    return std::nullopt;
  };
  settings.start_script = line(kStartScriptLine);
  settings.login = line(kLoginLine);
  settings.password = line(kPasswordLine);
  settings.site_root = line(kSiteRootLine);
  return settings;
}

bool WriteLoginBack(const GameFolder& folder, const std::string& base_name,
                    const std::string& login, const std::string& password) {
  const std::string name = SettingsFileName(base_name);
  const auto bytes = folder.Read(name);
  if (!bytes) return false;
  std::vector<LineSpan> spans = LineSpans(*bytes);
  const auto text = [&](std::size_t i) {
    return i < spans.size() ? AsLoaded(spans[i].text) : std::string_view();
  };
  if (text(kLoginLine) == login && text(kPasswordLine) == password) return true;

  const std::string_view new_line_end =
      spans.empty() || spans.front().end.empty() ? std::string_view("\r\n") : spans.front().end;
  const bool ends_with_line_end = spans.empty() || !spans.back().end.empty();
  std::string out;
  out.reserve(bytes->size() + login.size() + password.size() + 16);
  const std::size_t count = std::max(spans.size(), kPasswordLine + 1);
  for (std::size_t i = 0; i < count; ++i) {
    const bool kept = i < spans.size();
    if (i == kLoginLine) {
      out += login;
    } else if (i == kPasswordLine) {
      out += password;
    } else if (kept) {
      out += spans[i].text;
    }
    // Line ends stay; a new last line ends as the file did.
    if (kept && !spans[i].end.empty()) {
      out += spans[i].end;
    } else if (i + 1 < count || ends_with_line_end) {
      out += new_line_end;
    }
  }
  return folder.Write(name, out);
}

}  // namespace zunk

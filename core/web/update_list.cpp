// Update list and version file readers.
#include "web/update_list.h"

#include "platform/game_folder.h"

namespace zunk {

std::vector<std::string_view> UpdateFileLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool ParseSize(std::string_view text, std::uint64_t& size) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty() || text.size() > 19) return false;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  size = value;
  return true;
}

UpdateList ParseUpdateList(std::string_view text) {
  if (text.size() > kMaxUpdateListBytes) text = text.substr(0, kMaxUpdateListBytes);
  const std::vector<std::string_view> lines = UpdateFileLines(text);
  UpdateList list;
  const std::size_t pairs = lines.size() / 2;
  if (pairs < 2) return list;
  const std::size_t count = std::min(pairs - 1, kMaxUpdatePairs);
  list.entries.reserve(count);
  for (std::size_t i = 1; i <= count; ++i) {
    UpdateEntry entry;
    entry.name = std::string(lines[2 * i]);
    entry.usable =
        SafeRelativePath(entry.name).has_value() && ParseSize(lines[2 * i + 1], entry.size);
    list.entries.push_back(std::move(entry));
  }
  return list;
}

VersionFile ParseVersionFile(std::string_view text) {
  if (text.size() > kMaxUpdateListBytes) text = text.substr(0, kMaxUpdateListBytes);
  const std::vector<std::string_view> lines = UpdateFileLines(text);
  VersionFile file;
  if (lines.empty()) return file;
  file.version = std::string(lines[0]);
  for (std::size_t i = 1; i < lines.size() && file.obsolete.size() < kMaxObsoleteNames; ++i) {
    if (SafeRelativePath(lines[i])) file.obsolete.emplace_back(lines[i]);
  }
  return file;
}

}  // namespace zunk

// Line list operations and line splitting.
#include "game/world/line_list.h"

namespace zunk {
namespace {
const std::string kEmpty;
std::uint64_t next_generation = 0;  // one thread: no atomics needed
}  // namespace

void LineList::Touch() {
  generation_ = ++next_generation;
}

void LineList::Assign(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  Touch();
}

std::vector<std::string> SplitLines(std::string_view text, std::size_t max_line, bool* cut) {
  std::vector<std::string> lines;
  const auto add = [&](std::string_view line) {
    if (line.size() > max_line) {
      line = line.substr(0, max_line);
      if (cut != nullptr) *cut = true;
    }
    lines.emplace_back(line);
  };
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      add(text.substr(start, i - start));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
    ++i;
  }
  if (start < text.size()) add(text.substr(start));
  return lines;
}

bool CutLine(std::string& line, std::size_t max_line) {
  if (line.size() <= max_line) return false;
  line.resize(max_line);
  line.shrink_to_fit();
  return true;
}

const std::string& LineList::EmptyLine() {
  return kEmpty;
}

void LineList::Set(int index, std::string text) {
  if (!Has(index)) return;
  lines_[index] = std::move(text);
  Touch();
}

void LineList::Append(std::string text) {
  lines_.push_back(std::move(text));
  Touch();
}

void LineList::Insert(int index, std::string text) {
  if (index < 0 || index > Count()) return;
  lines_.insert(lines_.begin() + index, std::move(text));
  Touch();
}

void LineList::Delete(int index) {
  if (!Has(index)) return;
  lines_.erase(lines_.begin() + index);
  Touch();
}

void LineList::Clear() {
  lines_.clear();
  Touch();
}

std::string LineList::Text() const {
  std::string out;
  for (const std::string& line : lines_) {
    out += line;
    out += "\r\n";
  }
  return out;
}

void LineList::SetText(std::string_view text) {
  lines_ = SplitLines(text);
  Touch();
}

bool LineList::LoadText(std::string_view text) {
  bool cut = false;
  lines_ = SplitLines(text, kMaxLoadedLineBytes, &cut);
  Touch();
  return cut;
}

}  // namespace zunk

// An ordered list of text lines, indexed from 0: the in-memory form of every data file,
// script and update list. Loading accepts CR LF, LF and CR line ends; saving writes CR LF.
// Every change bumps a generation counter so that derived indexes (labels) know when to
// rebuild.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zunk {

// The longest line kept when a file is loaded; a longer one is cut there. No message, word or
// script line of a real game comes near it.
inline constexpr std::size_t kMaxLoadedLineBytes = 64 * 1024;

class LineList {
 public:
  LineList() = default;
  explicit LineList(std::vector<std::string> lines) : lines_(std::move(lines)) { Touch(); }

  int Count() const { return static_cast<int>(lines_.size()); }
  bool Empty() const { return lines_.empty(); }
  bool Has(int index) const { return index >= 0 && index < Count(); }

  // Line i, or an empty text when i is outside the list.
  const std::string& Get(int index) const { return Has(index) ? lines_[index] : EmptyLine(); }
  void Set(int index, std::string text);  // ignored outside the list
  void Append(std::string text);
  void Insert(int index, std::string text);
  void Delete(int index);
  void Clear();
  void Assign(std::vector<std::string> lines);

  // All lines joined by CR LF, with a final CR LF when not empty.
  std::string Text() const;
  // Replaces the lines by those of a text; a final line end adds no empty line.
  void SetText(std::string_view text);
  // As SetText for the text of a file: each line is cut at kMaxLoadedLineBytes. True when a
  // line was cut.
  bool LoadText(std::string_view text);

  const std::vector<std::string>& lines() const { return lines_; }
  // Changes whenever the lines change; unique across all lists, so a cache keyed on it
  // never mistakes one list's contents for another's.
  std::uint64_t generation() const { return generation_; }

 private:
  static const std::string& EmptyLine();
  void Touch();

  std::vector<std::string> lines_;
  std::uint64_t generation_ = 0;
};

// Splits text at CR LF, LF or CR; a final line end adds no empty line. Lines longer than
// max_line are cut there (and *cut set when given).
std::vector<std::string> SplitLines(std::string_view text, std::size_t max_line = std::string::npos,
                                    bool* cut = nullptr);

// Cuts a line to max_line; true when it was longer.
bool CutLine(std::string& line, std::size_t max_line = kMaxLoadedLineBytes);

}  // namespace zunk

// Readers of the files an update run and a version check fetch from the base URL: the
// update lists ("scripts.txt", "arquivos.txt": pairs of lines, a file name and its size in
// bytes, the first pair unused) and the version file ("vrs.txt": the current version text,
// then the names of obsolete files). Both are bounded; names that would lead out of the game
// folder are marked unusable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zunk {

// The largest list or version file read, and the most pairs or obsolete names taken from one;
// what lies beyond is ignored.
inline constexpr std::uint64_t kMaxUpdateListBytes = 8u * 1024 * 1024;
inline constexpr std::size_t kMaxUpdatePairs = 50000;
inline constexpr std::size_t kMaxObsoleteNames = 10000;

// One pair of an update list after the first. usable: the name stays inside the game folder
// and the size line is a decimal number; an unusable pair is skipped but still counts.
struct UpdateEntry {
  std::string name;  // CP1252
  std::uint64_t size = 0;
  bool usable = false;
};

struct UpdateList {
  std::vector<UpdateEntry> entries;  // pairs 1 .. (line count div 2) - 1, at most the bound
};

struct VersionFile {
  std::string version;                // line 1; empty for an empty file
  std::vector<std::string> obsolete;  // the safe names of the further lines
};

// The lines of a text: LF or CR LF ends a line; a last line without an end counts.
std::vector<std::string_view> UpdateFileLines(std::string_view text);

// A size line: decimal digits only (blanks around them allowed), at most 19 of them.
bool ParseSize(std::string_view text, std::uint64_t& size);

UpdateList ParseUpdateList(std::string_view text);
VersionFile ParseVersionFile(std::string_view text);

}  // namespace zunk

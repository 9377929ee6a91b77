// Safe access to the files of one game folder. Names come from scripts, datagrams and
// servers as CP1252 text; they are confined to the folder, converted to UTF-8 for the file
// system, and looked up case-insensitively when the exact name is missing (game folders
// come from Windows).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zunk {

// Relative path for a game file name, or nothing when the name is empty, absolute, has a
// drive prefix or a ".." component, ends with a separator, or holds a NUL byte.
// Backslashes separate folders.
std::optional<std::filesystem::path> SafeRelativePath(std::string_view name);

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Writes through a temporary file in the same folder and renames it over the target, so a
// crash leaves either the old or the new contents, never a partial file.
bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Upper-cases ASCII and the CP1252 lower-case letters; used for case-insensitive names.
char FoldCp1252(char c);

class GameFolder {
 public:
  explicit GameFolder(std::filesystem::path dir);

  const std::filesystem::path& path() const { return dir_; }

  // The existing regular file for a name: the exact name first, then a case-insensitive
  // match of each folder component and of the file name. Folder listings are kept between
  // calls and read again whenever a folder's modification time changes, so a missing name
  // costs one status call of its folder instead of a scan.
  std::optional<std::filesystem::path> Find(std::string_view name) const;
  bool Exists(std::string_view name) const { return Find(name).has_value(); }
  std::optional<std::string> Read(std::string_view name) const;

  // Replaces (or creates) the file for a name atomically; the existing file is reused in
  // whatever case it has. Missing folders inside the game folder are created.
  bool Write(std::string_view name, std::string_view bytes) const;

 private:
  // The names of one folder, by their case-folded CP1252 form (UTF-8 file names, in listing
  // order).
  struct Listing {
    std::filesystem::file_time_type modified;
    bool trusted = false;  // the folder had not changed for a while when it was listed
    std::unordered_map<std::string, std::vector<std::string>> by_folded_name;
  };

  // The entry of dir whose name is component: the exact name when present, else one that
  // differs only in case.
  std::optional<std::filesystem::path> FindEntry(const std::filesystem::path& dir,
                                                 const std::string& component) const;
  // Lists dir afresh; nothing when it cannot be read.
  Listing* Relist(const std::filesystem::path& dir, std::filesystem::file_time_type modified) const;

  std::filesystem::path dir_;
  mutable std::unordered_map<std::string, Listing> listings_;
};

}  // namespace zunk

// Safe access to the files of one game folder. Names come from scripts, datagrams and
// servers as CP1252 text; they are confined to the folder (also through symbolic links the
// folder holds), converted to UTF-8 for the file system, and looked up case-insensitively
// when the exact name is missing (game folders come from Windows). Reads are bounded.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/beneath.h"

namespace zunk {

// Names longer than this (in bytes) or with more folders than kMaxNameFolders are refused:
// a name from a game or an archive never needs them, and deeper ones only cost time.
inline constexpr std::size_t kMaxNameBytes = 260;
inline constexpr std::size_t kMaxNameFolders = 32;

// The largest file read from a game folder; a larger one counts as unavailable.
inline constexpr std::uint64_t kMaxGameFileBytes = 64ULL * 1024 * 1024;

// Relative path for a game file name, or nothing when the name is empty, absolute, has a
// drive prefix or a ".." component, ends with a separator, holds a NUL byte, or is longer or
// deeper than the bounds above. Backslashes separate folders.
std::optional<std::filesystem::path> SafeRelativePath(std::string_view name);

// Reads a file named by the user (not by a game), up to max_bytes.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path,
                                         std::uint64_t max_bytes = kMaxGameFileBytes);

// Writes through a temporary file in the same folder and renames it over the target, so a
// crash leaves either the old or the new contents, never a partial file.
bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Upper-cases ASCII and the CP1252 lower-case letters; used for case-insensitive names.
char FoldCp1252(char c);

// What a bounded read found.
enum class ReadStatus { Ok, Missing, TooLarge };
struct ReadResult {
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;  // the whole file when Ok
};

// The first bytes of a file and its whole size.
struct FileHead {
  std::string bytes;
  std::uint64_t size = 0;
};

// The size and modification time of a file.
struct FileStamp {
  std::filesystem::file_time_type time;
  std::uintmax_t size = 0;
};

// A file opened for a library that only takes a path (the zip module); the path stays valid
// while this lives.
struct FileForLibrary {
  Fd fd;
  std::string path;
};

class GameFolder {
 public:
  explicit GameFolder(std::filesystem::path dir);

  const std::filesystem::path& path() const { return dir_; }

  // The existing regular file for a name, as a path relative to the folder (UTF-8, "/"
  // between components): the exact name first, then a case-insensitive match of each folder
  // component and of the file name. Folder listings are kept between calls and read again
  // whenever a folder's modification time changes, so a missing name costs one status call
  // of its folder instead of a scan. Nothing when the file would lie outside the folder.
  // A name that a kept, settled listing shows as a regular file (reached through real
  // folders, no links) costs only that folder's status call, found or not; anything else
  // is opened through the confined folder to be sure.
  std::optional<std::string> Locate(std::string_view name) const;
  bool Exists(std::string_view name) const { return Locate(name).has_value(); }

  // The whole file, or why not: missing (also outside the folder), or over max_bytes.
  ReadResult ReadBounded(std::string_view name, std::uint64_t max_bytes = kMaxGameFileBytes) const;
  std::optional<std::string> Read(std::string_view name) const;
  // The first bytes of a file (at most max_bytes; fewer when the file is shorter) and the
  // whole file's size; nothing when it is missing.
  std::optional<FileHead> ReadHead(std::string_view name, std::size_t max_bytes) const;

  std::optional<FileStamp> Stamp(std::string_view name) const;

  // Opens the file for a library that takes paths; nothing when it is missing.
  std::optional<FileForLibrary> OpenForLibrary(std::string_view name) const;

  // Replaces (or creates) the file for a name atomically; the existing file is reused in
  // whatever case it has, and a link in its place is replaced, never written through.
  // Missing folders inside the game folder are created.
  bool Write(std::string_view name, std::string_view bytes) const;

  // Writes a scratch file (one the game only reads back at once, such as the plain JPEG of
  // a scrambled picture): not synced, and an existing file of ours is rewritten in place so
  // the folder does not change. A link planted under the name is replaced, never written
  // through, as by Write.
  bool WriteScratch(std::string_view name, std::string_view bytes) const;

  // Deletes the regular file for a name (found as Locate finds it) inside the folder; false
  // when there is none or it cannot be deleted. Folders are never deleted.
  bool Remove(std::string_view name) const;

 private:
  // The names of one folder, by their case-folded CP1252 form (UTF-8 file names, in listing
  // order).
  // What a listing knows of an entry's kind: a folder's entries keep their kind while the
  // folder's time is unchanged (a rename or removal changes it).
  enum class EntryKind { File, Folder, Other };  // Other: a link, or not told
  struct Entry {
    std::string name;
    EntryKind kind = EntryKind::Other;
  };
  struct Listing {
    std::filesystem::file_time_type modified;
    bool trusted = false;  // the folder had not changed for a while when it was listed
    std::unordered_map<std::string, std::vector<Entry>> by_folded_name;
  };
  // A found entry, and whether a kept listing vouches for its kind.
  struct FoundEntry {
    std::string name;
    EntryKind kind = EntryKind::Other;
  };

  // The regular file for a name, opened through the confined folder with flags.
  struct OpenFile {
    std::string relative;
    Fd fd;
    struct stat info;
  };
  std::optional<OpenFile> OpenLocated(std::string_view name, int flags) const;

  // The entry of the folder at relative path dir whose name is component (CP1252): the
  // exact name when present, else one that differs only in case; its UTF-8 name.
  std::optional<FoundEntry> FindEntry(const std::string& dir, const std::string& component) const;
  // Lists a folder afresh; nothing when it cannot be read.
  Listing* Relist(const std::filesystem::path& dir, std::filesystem::file_time_type modified) const;
  // Our own change of a folder: its kept listing learns the name and the new time, if it was
  // up to date before the change (before: the folder's time then).
  void NoteOwnChange(const std::string& dir, const std::string& name, EntryKind kind,
                     std::optional<std::filesystem::file_time_type> before) const;
  std::filesystem::path Absolute(const std::string& relative) const;

  // Where a write of a name goes: its folder (made when missing), opened through the
  // confined folder, and the file's name in it (the existing file's case when there is one).
  struct WriteTarget {
    Fd folder;
    std::string dir;   // relative to the game folder
    std::string file;  // UTF-8
    bool exists = false;
  };
  std::optional<WriteTarget> PrepareWrite(std::string_view name) const;
  // Replaces the target through a temporary file and a rename; synced or not.
  bool Replace(const WriteTarget& target, std::string_view bytes, bool synced) const;

  std::filesystem::path dir_;
  ConfinedFolder confined_;
  mutable std::unordered_map<std::string, Listing> listings_;
};

}  // namespace zunk

// Confinement, case-insensitive lookup, bounded reads and atomic writes for game folder files.
#include "platform/game_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <system_error>
#include <vector>

#include "platform/cp1252.h"

namespace fs = std::filesystem;

namespace zunk {
namespace {

std::vector<std::string> SplitComponents(std::string_view name) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = start;
    while (end < name.size() && name[end] != '/' && name[end] != '\\') ++end;
    const std::string_view part = name.substr(start, end - start);
    if (!part.empty() && part != ".") parts.emplace_back(part);
    start = end + 1;
  }
  return parts;
}

std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = FoldCp1252(c);
  return folded;
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : folder + "/" + name;
}

// How recent a folder's modification may be for its listing to be kept. A change made in
// the same time-stamp tick as the last one would leave the time unchanged, so a listing
// is only kept once the folder's time lies further back than one tick of its file system:
// file systems that store whole seconds get two seconds, the others a few clock ticks.
fs::file_time_type::duration SettleTime(fs::file_time_type modified) {
  using std::chrono::duration_cast;
  using std::chrono::seconds;
  const auto since_epoch = modified.time_since_epoch();
  const bool whole_seconds = since_epoch == duration_cast<seconds>(since_epoch);
  return whole_seconds ? fs::file_time_type::duration(seconds(2))
                       : duration_cast<fs::file_time_type::duration>(std::chrono::milliseconds(50));
}

std::optional<fs::file_time_type> ModifiedTime(const fs::path& path) {
  std::error_code ec;
  const auto time = fs::last_write_time(path, ec);
  if (ec) return std::nullopt;
  return time;
}

fs::file_time_type FileTimeOf(const struct timespec& at) {
  using namespace std::chrono;
  const sys_time<nanoseconds> system{seconds(at.tv_sec) + nanoseconds(at.tv_nsec)};
  return time_point_cast<fs::file_time_type::duration>(file_clock::from_sys(system));
}

// Reads an open regular file whole; anything else is missing.
ReadResult ReadOpenFile(int fd, const struct stat& info, std::uint64_t max_bytes) {
  ReadResult result;
  if (!S_ISREG(info.st_mode)) return result;
  if (static_cast<std::uint64_t>(info.st_size) > max_bytes) return {ReadStatus::TooLarge, {}};
  // Read in blocks with read(2): a picture or script is read on every load, and reading
  // through a stream iterator one character at a time costs more than decoding a screen.
  // One byte more than the size notices a file that grew.
  std::string& data = result.bytes;
  data.resize(static_cast<std::size_t>(info.st_size) + 1);
  std::size_t used = 0;
  while (used <= max_bytes) {  // past the bound: the file grew while it was read
    if (used == data.size()) {
      data.resize(
          static_cast<std::size_t>(std::min<std::uint64_t>(data.size() * 2, max_bytes + 1)));
    }
    const ssize_t got = ::read(fd, data.data() + used, data.size() - used);
    if (got < 0) {
      if (errno == EINTR) continue;
      return {};
    }
    if (got == 0) break;
    used += static_cast<std::size_t>(got);
  }
  if (used > max_bytes) return {ReadStatus::TooLarge, {}};
  data.resize(used);
  result.status = ReadStatus::Ok;
  return result;
}

// A name for a temporary file that nobody else picks: the process, a counter and the clock.
std::string TemporaryName() {
  static unsigned counter = 0;
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  char name[64];
  std::snprintf(name, sizeof name, ".zunk-%d-%u-%llx.tmp", static_cast<int>(::getpid()), ++counter,
                static_cast<unsigned long long>(now) & 0xFFFFFF);
  return name;
}

// Writes all of bytes at the file's current position.
bool WriteAll(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// Whether a write waits until the bytes are on the disk.
enum class Durability { Synced, Scratch };

// Writes bytes to a new temporary file in the open folder and renames it over name, so a
// crash leaves the old or the new contents (when synced) and a link in name's place is
// replaced, never followed.
bool WriteInFolder(int folder, const std::string& name, std::string_view bytes,
                   Durability durability) {
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temp = TemporaryName();
    fd = ::openat(folder, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes);
  ::fchmod(fd, 0644);
  if (ok && durability == Durability::Synced && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && ::renameat(folder, temp.c_str(), folder, name.c_str()) != 0) ok = false;
  if (!ok) ::unlinkat(folder, temp.c_str(), 0);
  return ok;
}

// Rewrites an existing scratch file in place, which leaves the folder itself unchanged.
// Only a regular file with no other name is rewritten: a symbolic link in its place is not
// opened (O_NOFOLLOW) and a hard link is left alone, so a link planted under the name never
// leads the bytes elsewhere. False when the file is not such a file (or the write failed).
bool RewriteInPlace(int folder, const std::string& name, std::string_view bytes) {
  const Fd fd(::openat(folder, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!fd.valid()) return false;
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink != 1) return false;
  // Written over from the start and cut to the new length afterwards: emptying the file
  // first would make some file systems flush it to the disk when it is closed.
  return WriteAll(fd.get(), bytes) && ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) == 0;
}

}  // namespace

char FoldCp1252(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
  switch (u) {
    case 0x9A:
      return static_cast<char>(0x8A);
    case 0x9C:
      return static_cast<char>(0x8C);
    case 0x9E:
      return static_cast<char>(0x8E);
    case 0xFF:
      return static_cast<char>(0x9F);
    default:
      return c;
  }
}

namespace {

// The folder components of a safe name (see SafeRelativePath), nothing for an unsafe one.
std::optional<std::vector<std::string>> SafeComponents(std::string_view name) {
  if (name.empty() || name.size() > kMaxNameBytes) return std::nullopt;
  if (name.find('\0') != std::string_view::npos) return std::nullopt;
  if (name.front() == '/' || name.front() == '\\') return std::nullopt;
  if (name.back() == '/' || name.back() == '\\') return std::nullopt;  // a folder, not a file
  if (name.find(':') != std::string_view::npos) return std::nullopt;   // drive or stream
  std::vector<std::string> parts = SplitComponents(name);
  if (parts.empty() || parts.size() > kMaxNameFolders + 1) return std::nullopt;
  for (const std::string& part : parts) {
    if (part == "..") return std::nullopt;
  }
  return parts;
}

}  // namespace

std::optional<fs::path> SafeRelativePath(std::string_view name) {
  const auto parts = SafeComponents(name);
  if (!parts) return std::nullopt;
  fs::path rel;
  for (const std::string& part : *parts) rel /= fs::path(Cp1252ToUtf8(part));
  return rel;
}

std::optional<std::string> ReadWholeFile(const fs::path& path, std::uint64_t max_bytes) {
  const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info {};
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0) return std::nullopt;
  ReadResult result = ReadOpenFile(fd.get(), info, max_bytes);
  if (result.status != ReadStatus::Ok) return std::nullopt;
  return std::move(result.bytes);
}

bool WriteFileAtomic(const fs::path& path, std::string_view bytes) {
  const fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
  const Fd folder(::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return folder.valid() &&
         WriteInFolder(folder.get(), path.filename().string(), bytes, Durability::Synced);
}

GameFolder::GameFolder(fs::path dir) : dir_(std::move(dir)), confined_(dir_.string()) {}

fs::path GameFolder::Absolute(const std::string& relative) const {
  return relative.empty() ? dir_ : dir_ / relative;
}

GameFolder::Listing* GameFolder::Relist(const fs::path& dir, fs::file_time_type modified) const {
  const auto listed_at = fs::file_time_type::clock::now();
  // readdir tells each entry's kind without a status call per entry (DT_UNKNOWN on file
  // systems that do not, which then counts as Other).
  DIR* folder = ::opendir(dir.c_str());
  if (folder == nullptr) {
    listings_.erase(dir.native());
    return nullptr;
  }
  Listing& listing = listings_[dir.native()];
  listing.by_folded_name.clear();
  errno = 0;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string utf8 = entry->d_name;
    if (utf8 == "." || utf8 == "..") continue;
    const EntryKind kind = entry->d_type == DT_REG   ? EntryKind::File
                           : entry->d_type == DT_DIR ? EntryKind::Folder
                                                     : EntryKind::Other;
    listing.by_folded_name[Folded(Utf8ToCp1252(utf8))].push_back({utf8, kind});
    errno = 0;
  }
  const bool failed = errno != 0;
  ::closedir(folder);
  if (failed) {
    listings_.erase(dir.native());
    return nullptr;
  }
  listing.modified = modified;
  listing.trusted = modified < listed_at - SettleTime(modified);
  return &listing;
}

// The listings only find names; whatever they find is opened through the confined folder,
// so a listing read through a link cannot lead outside.
std::optional<GameFolder::FoundEntry> GameFolder::FindEntry(const std::string& relative_dir,
                                                            const std::string& component) const {
  const fs::path dir = Absolute(relative_dir);
  const auto modified = ModifiedTime(dir);
  if (!modified) return std::nullopt;
  const std::string exact = Cp1252ToUtf8(component);
  const auto cached = listings_.find(dir.native());
  const Listing* listing = nullptr;
  if (cached != listings_.end() && cached->second.trusted && cached->second.modified == *modified) {
    listing = &cached->second;
  } else {
    // The folder changed (or is new to us): the exact name needs no listing, and its kind
    // is left for the open to tell.
    std::error_code ec;
    if (fs::exists(dir / exact, ec)) return FoundEntry{exact, EntryKind::Other};
    listing = Relist(dir, *modified);
    if (listing == nullptr) return std::nullopt;
  }
  const auto found = listing->by_folded_name.find(Folded(component));
  if (found == listing->by_folded_name.end()) return std::nullopt;
  // A listing not yet settled may miss a change made in the same tick: it finds names but
  // does not vouch for their kind.
  const auto vouched = [&](const Entry& entry) {
    return FoundEntry{entry.name, listing->trusted ? entry.kind : EntryKind::Other};
  };
  for (const Entry& entry : found->second) {
    if (entry.name == exact) return vouched(entry);
  }
  return vouched(found->second.front());
}

void GameFolder::NoteOwnChange(const std::string& relative_dir, const std::string& name,
                               EntryKind kind, std::optional<fs::file_time_type> before) const {
  const fs::path dir = Absolute(relative_dir);
  const auto kept = listings_.find(dir.native());
  if (kept == listings_.end()) return;
  Listing& listing = kept->second;
  const auto after = ModifiedTime(dir);
  // Kept only when the listing was up to date before our change: then the change is known,
  // and the time it gave the folder is taken as seen (a change by another program in the
  // same time-stamp tick is the one thing this can miss, until the folder changes again).
  if (!before || !after || listing.modified != *before) {
    listings_.erase(kept);
    return;
  }
  std::vector<Entry>& entries = listing.by_folded_name[Folded(Utf8ToCp1252(name))];
  const auto same = std::find_if(entries.begin(), entries.end(),
                                 [&](const Entry& entry) { return entry.name == name; });
  if (same == entries.end()) {
    entries.push_back({name, kind});
  } else {
    same->kind = kind;
  }
  listing.modified = *after;
  listing.trusted = true;
}

std::optional<GameFolder::OpenFile> GameFolder::OpenLocated(std::string_view name,
                                                            int flags) const {
  const auto parts = SafeComponents(name);
  if (!parts) return std::nullopt;
  // The name as it stands first: a file that exists under its exact name costs one open and
  // one status call, and needs no listing.
  std::string relative;
  for (const std::string& part : *parts) relative = Join(relative, Cp1252ToUtf8(part));
  OpenFile exact{relative, confined_.Open(relative, flags), {}};
  if (exact.fd.valid() && ::fstat(exact.fd.get(), &exact.info) == 0 &&
      S_ISREG(exact.info.st_mode)) {
    return exact;
  }
  relative.clear();
  for (const std::string& part : *parts) {
    const auto next = FindEntry(relative, part);
    if (!next) return std::nullopt;
    relative = Join(relative, next->name);
  }
  OpenFile file{std::move(relative), Fd(), {}};
  file.fd = confined_.Open(file.relative, flags);
  if (!file.fd.valid() || ::fstat(file.fd.get(), &file.info) != 0 || !S_ISREG(file.info.st_mode)) {
    return std::nullopt;
  }
  return file;
}

std::optional<std::string> GameFolder::Locate(std::string_view name) const {
  const auto parts = SafeComponents(name);
  if (!parts) return std::nullopt;
  // The kept listings answer alone when they vouch for every step: real folders on the way
  // and a regular file at the end. Its kind stays as listed while its folder's time does.
  std::string relative;
  for (std::size_t i = 0; i < parts->size(); ++i) {
    const auto next = FindEntry(relative, (*parts)[i]);
    if (!next) return std::nullopt;
    relative = Join(relative, next->name);
    const EntryKind wanted = i + 1 < parts->size() ? EntryKind::Folder : EntryKind::File;
    if (next->kind != wanted) break;
    if (i + 1 == parts->size()) return relative;
  }
  auto file = OpenLocated(name, O_PATH);
  if (!file) return std::nullopt;
  return std::move(file->relative);
}

ReadResult GameFolder::ReadBounded(std::string_view name, std::uint64_t max_bytes) const {
  const auto file = OpenLocated(name, O_RDONLY);
  if (!file) return {};
  return ReadOpenFile(file->fd.get(), file->info, max_bytes);
}

std::optional<std::string> GameFolder::Read(std::string_view name) const {
  ReadResult result = ReadBounded(name);
  if (result.status != ReadStatus::Ok) return std::nullopt;
  return std::move(result.bytes);
}

std::optional<FileHead> GameFolder::ReadHead(std::string_view name, std::size_t max_bytes) const {
  const auto file = OpenLocated(name, O_RDONLY);
  if (!file || !S_ISREG(file->info.st_mode)) return std::nullopt;
  FileHead head;
  head.size = static_cast<std::uint64_t>(file->info.st_size);
  head.bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(head.size, max_bytes)));
  std::size_t used = 0;
  while (used < head.bytes.size()) {
    const ssize_t got = ::read(file->fd.get(), head.bytes.data() + used, head.bytes.size() - used);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // the file shrank meanwhile: what was there
    used += static_cast<std::size_t>(got);
  }
  head.bytes.resize(used);
  return head;
}

std::optional<FileStamp> GameFolder::Stamp(std::string_view name) const {
  const auto file = OpenLocated(name, O_PATH);
  if (!file) return std::nullopt;
  return FileStamp{FileTimeOf(file->info.st_mtim), static_cast<std::uintmax_t>(file->info.st_size)};
}

std::optional<FileForLibrary> GameFolder::OpenForLibrary(std::string_view name) const {
  auto file = OpenLocated(name, O_RDONLY);
  if (!file) return std::nullopt;
  std::string path = ConfinedFolder::PathOf(file->fd);
  if (path.empty()) return std::nullopt;
  return FileForLibrary{std::move(file->fd), std::move(path)};
}

std::optional<GameFolder::WriteTarget> GameFolder::PrepareWrite(std::string_view name) const {
  const auto parts = SafeComponents(name);
  if (!parts) return std::nullopt;
  // Each folder is opened through the confined folder before anything is made in it.
  WriteTarget target;
  target.folder = confined_.Open(".", O_RDONLY | O_DIRECTORY);
  if (!target.folder.valid()) return std::nullopt;
  for (std::size_t i = 0; i + 1 < parts->size(); ++i) {
    std::string child;
    if (const auto found = FindEntry(target.dir, (*parts)[i])) {
      child = found->name;
    } else {
      child = Cp1252ToUtf8((*parts)[i]);
      const auto before = ModifiedTime(Absolute(target.dir));
      if (::mkdirat(target.folder.get(), child.c_str(), 0755) != 0 && errno != EEXIST) {
        return std::nullopt;
      }
      NoteOwnChange(target.dir, child, EntryKind::Folder, before);
    }
    target.dir = Join(target.dir, child);
    target.folder = confined_.Open(target.dir, O_RDONLY | O_DIRECTORY);
    if (!target.folder.valid()) return std::nullopt;
  }
  const auto existing = FindEntry(target.dir, parts->back());
  target.exists = existing.has_value();
  target.file = existing ? existing->name : Cp1252ToUtf8(parts->back());
  return target;
}

bool GameFolder::Replace(const WriteTarget& target, std::string_view bytes, bool synced) const {
  const auto before = ModifiedTime(Absolute(target.dir));
  if (!WriteInFolder(target.folder.get(), target.file, bytes,
                     synced ? Durability::Synced : Durability::Scratch)) {
    listings_.erase(Absolute(target.dir).native());
    return false;
  }
  NoteOwnChange(target.dir, target.file, EntryKind::File, before);
  return true;
}

bool GameFolder::Write(std::string_view name, std::string_view bytes) const {
  const auto target = PrepareWrite(name);
  return target && Replace(*target, bytes, true);
}

bool GameFolder::WriteScratch(std::string_view name, std::string_view bytes) const {
  const auto target = PrepareWrite(name);
  if (!target) return false;
  if (target->exists && RewriteInPlace(target->folder.get(), target->file, bytes)) return true;
  return Replace(*target, bytes, false);
}

bool GameFolder::Remove(std::string_view name) const {
  const auto file = OpenLocated(name, O_PATH);
  if (!file) return false;
  const std::size_t slash = file->relative.rfind('/');
  const std::string dir = slash == std::string::npos ? "" : file->relative.substr(0, slash);
  const std::string base =
      slash == std::string::npos ? file->relative : file->relative.substr(slash + 1);
  // The entry is unlinked through its confined folder: a link in the path cannot lead out.
  const Fd folder = confined_.Open(dir.empty() ? "." : dir, O_RDONLY | O_DIRECTORY);
  if (!folder.valid()) return false;
  const bool removed = ::unlinkat(folder.get(), base.c_str(), 0) == 0;
  listings_.erase(Absolute(dir).native());
  return removed;
}

}  // namespace zunk

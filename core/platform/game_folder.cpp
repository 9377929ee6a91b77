// Confinement, case-insensitive lookup and atomic writes for game folder files.
#include "platform/game_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
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

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCp1252(a[i]) != FoldCp1252(b[i])) return false;
  }
  return true;
}

// Finds an entry of dir whose name equals component (CP1252) ignoring case.
std::optional<fs::path> FindEntryIgnoringCase(const fs::path& dir, const std::string& component) {
  const fs::path exact = dir / fs::path(Cp1252ToUtf8(component));
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = Utf8ToCp1252(it->path().filename().string());
    if (SameNameIgnoringCase(entry, component)) return it->path();
  }
  return std::nullopt;
}

std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = FoldCp1252(c);
  return folded;
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
  if (name.empty() || name.find('\0') != std::string_view::npos) return std::nullopt;
  if (name.front() == '/' || name.front() == '\\') return std::nullopt;
  if (name.back() == '/' || name.back() == '\\') return std::nullopt;  // a folder, not a file
  if (name.find(':') != std::string_view::npos) return std::nullopt;   // drive or stream
  std::vector<std::string> parts = SplitComponents(name);
  if (parts.empty()) return std::nullopt;
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

std::optional<std::string> ReadWholeFile(const fs::path& path) {
  // Read in blocks with read(2): a picture or script is read on every load, and reading
  // through a stream iterator one character at a time costs more than decoding a screen.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct CloseAtEnd {
    int fd;
    ~CloseAtEnd() { ::close(fd); }
  } close_at_end{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  std::string data;
  data.resize(static_cast<std::size_t>(info.st_size) + 1);  // +1: notices a file that grew
  std::size_t used = 0;
  for (;;) {
    if (used == data.size()) data.resize(data.size() * 2);
    const ssize_t got = ::read(fd, data.data() + used, data.size() - used);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    used += static_cast<std::size_t>(got);
  }
  data.resize(used);
  return data;
}

bool WriteFileAtomic(const fs::path& path, std::string_view bytes) {
  std::string temp =
      (path.parent_path() / (".zunk-" + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  bool ok = true;
  while (left > 0) {
    const ssize_t n = ::write(fd, data, left);
    if (n <= 0) {
      ok = false;
      break;
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  ::fchmod(fd, 0644);
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

GameFolder::GameFolder(fs::path dir) : dir_(std::move(dir)) {}

GameFolder::Listing* GameFolder::Relist(const fs::path& dir, fs::file_time_type modified) const {
  const auto listed_at = fs::file_time_type::clock::now();
  Listing& listing = listings_[dir.native()];
  listing.by_folded_name.clear();
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string utf8 = it->path().filename().string();
    listing.by_folded_name[Folded(Utf8ToCp1252(utf8))].push_back(utf8);
  }
  if (ec) {
    listings_.erase(dir.native());
    return nullptr;
  }
  listing.modified = modified;
  listing.trusted = modified < listed_at - SettleTime(modified);
  return &listing;
}

std::optional<fs::path> GameFolder::FindEntry(const fs::path& dir,
                                              const std::string& component) const {
  std::error_code ec;
  const fs::file_time_type modified = fs::last_write_time(dir, ec);
  if (ec) return std::nullopt;
  const auto cached = listings_.find(dir.native());
  const Listing* listing = nullptr;
  if (cached != listings_.end() && cached->second.trusted && cached->second.modified == modified) {
    listing = &cached->second;
  } else {
    // The folder changed (or is new to us): the exact name needs no listing.
    const fs::path exact = dir / fs::path(Cp1252ToUtf8(component));
    if (fs::exists(exact, ec)) return exact;
    listing = Relist(dir, modified);
    if (listing == nullptr) return std::nullopt;
  }
  const auto found = listing->by_folded_name.find(Folded(component));
  if (found == listing->by_folded_name.end()) return std::nullopt;
  const std::string exact = Cp1252ToUtf8(component);
  for (const std::string& name : found->second) {
    if (name == exact) return dir / fs::path(name);
  }
  return dir / fs::path(found->second.front());
}

std::optional<fs::path> GameFolder::Find(std::string_view name) const {
  const auto parts = SafeComponents(name);
  if (!parts) return std::nullopt;
  fs::path current = dir_;
  for (const std::string& part : *parts) {
    auto next = FindEntry(current, part);
    if (!next) return std::nullopt;
    current = *next;
  }
  std::error_code ec;
  if (fs::is_regular_file(current, ec)) return current;
  return std::nullopt;
}

std::optional<std::string> GameFolder::Read(std::string_view name) const {
  const auto path = Find(name);
  if (!path) return std::nullopt;
  return ReadWholeFile(*path);
}

bool GameFolder::Write(std::string_view name, std::string_view bytes) const {
  // The folders written to are listed again at the next lookup, whatever their times say.
  struct ForgetListings {
    std::unordered_map<std::string, Listing>& listings;
    ~ForgetListings() { listings.clear(); }
  } forget{listings_};
  if (const auto existing = Find(name)) return WriteFileAtomic(*existing, bytes);
  const std::vector<std::string> parts = SplitComponents(name);
  if (!SafeRelativePath(name)) return false;
  fs::path current = dir_;
  std::error_code ec;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    auto next = FindEntryIgnoringCase(current, parts[i]);
    if (!next) {
      next = current / fs::path(Cp1252ToUtf8(parts[i]));
      fs::create_directory(*next, ec);
      if (ec) return false;
    }
    if (!fs::is_directory(*next, ec)) return false;
    current = *next;
  }
  return WriteFileAtomic(current / fs::path(Cp1252ToUtf8(parts.back())), bytes);
}

}  // namespace zunk

// Opening names beneath a folder so that nothing outside it is reached, whatever symbolic
// links the folder holds: the kernel's own confined lookup (openat2 with RESOLVE_BENEATH)
// where it has it, else an ordinary open followed by a check of where the opened file really
// is. Game folders are untrusted: a link planted in one must not lead a read or a write out.
#pragma once

#include <string>
#include <string_view>

namespace zunk {

// A file descriptor, closed when it goes out of scope.
class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd();
  Fd(Fd&& other) noexcept : fd_(other.Release()) {}
  Fd& operator=(Fd&& other) noexcept;
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_ = -1;
};

// An open folder that names are confined to.
class ConfinedFolder {
 public:
  // Opens the folder (following links in its own path: the folder itself is the user's
  // choice). Not valid when it cannot be opened.
  explicit ConfinedFolder(const std::string& path);

  bool valid() const { return root_.valid(); }
  int fd() const { return root_.get(); }

  // Opens a relative path ("." for the folder itself; UTF-8, "/" between components, no
  // ".." components) with the given open flags (never O_CREAT), so that the result lies
  // inside the folder after every link on the way has been followed. An invalid Fd when the
  // name is missing or would lead outside (errno tells which).
  Fd Open(std::string_view relative, int flags) const;

  // A path through which a library that only takes paths opens the same file as fd.
  static std::string PathOf(const Fd& fd);

  // The confined lookup of the kernel is used when it works; tests force the fallback check
  // so that both ways are exercised.
  static void ForceFallbackForTesting(bool on);
  static bool KernelLookupAvailable();

 private:
  Fd OpenWithKernelLookup(std::string_view relative, int flags, bool& unavailable) const;
  Fd OpenAndCheck(std::string_view relative, int flags) const;
  bool Inside(const std::string& real_path) const;

  Fd root_;
  std::string real_path_;  // the folder's resolved path, for the fallback check
};

}  // namespace zunk

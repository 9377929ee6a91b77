// Confined opens: openat2 with RESOLVE_BENEATH (called directly, since the C library may
// have no wrapper), else openat and a check of the opened file's real path.
#include "platform/beneath.h"

#include <fcntl.h>
#include <limits.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace zunk {
namespace {

enum class KernelLookup { Unknown, Works, Unavailable };
KernelLookup kernel_lookup = KernelLookup::Unknown;  // one thread: no atomics needed
bool force_fallback = false;

// Flags every confined open adds: no descriptor leaks into started programs, and opening a
// FIFO or device planted in a folder never blocks. An O_PATH open takes no others.
int CommonFlags(int flags) {
  if (flags & O_PATH) return flags | O_CLOEXEC;
  return flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
}

long CallOpenat2(int dir, const char* path, int flags) {
#ifdef SYS_openat2
  open_how how{};
  how.flags = static_cast<std::uint64_t>(CommonFlags(flags));
  how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
  return syscall(SYS_openat2, dir, path, &how, sizeof how);
#else
  (void)dir, (void)path, (void)flags;
  errno = ENOSYS;
  return -1;
#endif
}

std::string ProcPath(int fd) {
  return "/proc/self/fd/" + std::to_string(fd);
}

std::string RealPathOf(const std::string& path) {
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return {};
  std::string out(resolved);
  std::free(resolved);
  return out;
}

// The path an open descriptor refers to, from /proc; empty when /proc cannot tell.
std::string ProcRealPath(int fd) {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink(ProcPath(fd).c_str(), buffer, sizeof buffer);
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) return {};
  return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace

Fd::~Fd() {
  if (fd_ >= 0) ::close(fd_);
}

Fd& Fd::operator=(Fd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.Release();
  }
  return *this;
}

ConfinedFolder::ConfinedFolder(const std::string& path)
    : root_(::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {
  if (!root_.valid()) return;
  real_path_ = ProcRealPath(root_.get());
  if (real_path_.empty()) real_path_ = RealPathOf(path);
}

void ConfinedFolder::ForceFallbackForTesting(bool on) {
  force_fallback = on;
}

bool ConfinedFolder::KernelLookupAvailable() {
  if (kernel_lookup == KernelLookup::Unknown) {
    // Kernels before 5.6 lack the call (ENOSYS); some container filters refuse it (EPERM or
    // ENOSYS); anything else odd about it means we do not rely on it.
    const Fd probe(static_cast<int>(CallOpenat2(AT_FDCWD, ".", O_PATH | O_DIRECTORY)));
    kernel_lookup = probe.valid() ? KernelLookup::Works : KernelLookup::Unavailable;
  }
  return kernel_lookup == KernelLookup::Works;
}

Fd ConfinedFolder::Open(std::string_view relative, int flags) const {
  if (!root_.valid() || relative.empty() || relative.front() == '/') {
    errno = EINVAL;
    return Fd();
  }
  if (!force_fallback && KernelLookupAvailable()) {
    const std::string path(relative);
    for (int attempt = 0; attempt < 8; ++attempt) {
      const long fd = CallOpenat2(root_.get(), path.c_str(), flags);
      if (fd >= 0) return Fd(static_cast<int>(fd));
      // A rename elsewhere in the tree during the lookup asks for a retry.
      if (errno != EAGAIN && errno != EINTR) break;
    }
    return Fd();
  }
  return OpenAndCheck(relative, flags);
}

Fd ConfinedFolder::OpenAndCheck(std::string_view relative, int flags) const {
  const std::string path(relative);
  Fd fd(::openat(root_.get(), path.c_str(), CommonFlags(flags)));
  if (!fd.valid()) return fd;
  // Where the descriptor really leads. Without /proc, the resolved name must lead inside
  // and to the very file that was opened.
  std::string real = ProcRealPath(fd.get());
  if (real.empty()) {
    real = RealPathOf(real_path_ + "/" + path);
    struct stat opened {
    }, named{};
    if (real.empty() || ::fstat(fd.get(), &opened) != 0 || ::stat(real.c_str(), &named) != 0 ||
        opened.st_dev != named.st_dev || opened.st_ino != named.st_ino) {
      errno = EXDEV;
      return Fd();
    }
  }
  if (!Inside(real)) {
    errno = EXDEV;
    return Fd();
  }
  return fd;
}

bool ConfinedFolder::Inside(const std::string& real) const {
  if (real_path_.empty()) return false;
  if (real == real_path_) return true;
  if (real_path_ == "/") return real.front() == '/';
  return real.size() > real_path_.size() && real.compare(0, real_path_.size(), real_path_) == 0 &&
         real[real_path_.size()] == '/';
}

std::string ConfinedFolder::PathOf(const Fd& fd) {
  if (!fd.valid()) return {};
  const std::string path = ProcPath(fd.get());
  return ::access(path.c_str(), F_OK) == 0 ? path : std::string();
}

}  // namespace zunk

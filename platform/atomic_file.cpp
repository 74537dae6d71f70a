#include "platform/atomic_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/files.h"

namespace platform {

namespace {

// How many names are tried before giving up; another process would have to guess 64-bit
// tokens to make every one of them collide.
constexpr int kTemporaryNameTries = 100;
constexpr size_t kTokenDigits = 16;

uint64_t (*g_tokenSourceForTests)() = nullptr;

uint64_t RandomToken() {
  uint64_t token = 0;
  if (getrandom(&token, sizeof token, GRND_NONBLOCK) == sizeof token)
    return token;
  // No entropy yet (early boot): still unique within this process, and O_EXCL keeps any
  // collision with a name planted by someone else harmless.
  static std::atomic<uint64_t> counter{0};
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (static_cast<uint64_t>(now.tv_nsec) << 20) ^ (static_cast<uint64_t>(getpid()) << 40) ^
         counter.fetch_add(0x9E3779B97F4A7C15ull);
}

uint64_t NextToken() {
  return g_tokenSourceForTests ? g_tokenSourceForTests() : RandomToken();
}

bool WriteAll(int fd, std::string_view content) {
  size_t written = 0;
  while (written < content.size()) {
    const ssize_t n = write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return false;
    written += static_cast<size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind(kPathSeparator);
  if (slash == std::string::npos)
    return ".";
  if (slash == 0)
    return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind(kPathSeparator);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a write to `path` replaces: `path` itself, or the file a symbolic link finally
// points to, so that a user's linked preferences file keeps its link. Empty: a link that leads
// nowhere.
std::optional<std::string> ReplacedFile(const std::string& path) {
  if (path.empty())
    return std::nullopt;
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
    return path;
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr)
    return std::nullopt;
  std::string target = resolved;
  free(resolved);
  return target;
}

bool UserMayWrite(const std::string& path, int extraMode = 0) {
  return faccessat(AT_FDCWD, path.c_str(), W_OK | extraMode, AT_EACCESS) == 0;
}

// The file a write to `path` would replace, when it may be replaced: it does not exist yet, or
// it is a regular file the user may write. A folder, a device or a pipe is never replaced; a
// file the user may not write stays as it is, because renaming over it would silently defeat
// the protection.
struct ReplaceTarget {
  std::string path;
  bool exists = false;
  struct stat existing {};  // its status when it exists
};

std::optional<ReplaceTarget> CheckedReplaceTarget(const std::string& path) {
  const std::optional<std::string> file = ReplacedFile(path);
  if (!file)
    return std::nullopt;
  ReplaceTarget target{*file};
  target.exists = lstat(file->c_str(), &target.existing) == 0;
  if (!target.exists)
    return errno == ENOENT ? std::optional(target) : std::nullopt;
  if (!S_ISREG(target.existing.st_mode) || !UserMayWrite(*file))
    return std::nullopt;
  return target;
}

}  // namespace

std::string TemporarySiblingPath(const std::string& target, uint64_t token) {
  char digits[kTokenDigits + 1];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(token));
  // "." + name + "." + digits must fit into one file name.
  const size_t room = NAME_MAX - 2 - kTokenDigits;
  const std::string name = NameOf(target).substr(0, room);
  const size_t slash = target.rfind(kPathSeparator);
  const std::string folderPrefix = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  return folderPrefix + "." + name + "." + digits;
}

void SetTemporaryTokenSourceForTests(uint64_t (*source)()) {
  g_tokenSourceForTests = source;
}

std::optional<std::string> ReadWholeFile(const std::string& path, size_t limit) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below anyway.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0)
    return std::nullopt;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  std::string content;
  content.reserve(std::min(static_cast<size_t>(std::max<off_t>(info.st_size, 0)), limit));
  char buffer[65536];
  while (content.size() < limit) {
    const size_t want = std::min(sizeof buffer, limit - content.size());
    const ssize_t n = read(fd, buffer, want);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0) {
      close(fd);
      return std::nullopt;
    }
    if (n == 0)
      break;
    content.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return content;
}

bool CanReplaceFileAtomically(const std::string& path) {
  const std::optional<ReplaceTarget> target = CheckedReplaceTarget(path);
  if (!target)
    return false;
  const std::string folder = FolderOf(target->path);
  return KindOfPath(folder) == PathKind::Folder && UserMayWrite(folder, X_OK);
}

bool WriteFileAtomically(const std::string& path, std::string_view content) {
  const std::optional<ReplaceTarget> target = CheckedReplaceTarget(path);
  if (!target)
    return false;
  const bool exists = target->exists;
  const struct stat& existing = target->existing;

  // O_EXCL with O_CREAT never follows a link planted under the temporary name, and never opens
  // a file someone else made. A replaced file's content stays private (0600) until its own
  // permissions are copied; a new file is born with the usual 0666 less the umask.
  const mode_t createMode = exists ? 0600 : 0666;
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < kTemporaryNameTries && fd < 0; ++attempt) {
    temporary = TemporarySiblingPath(target->path, NextToken());
    fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY,
              createMode);
    if (fd < 0 && errno != EEXIST)
      return false;
  }
  if (fd < 0)
    return false;

  bool ok = WriteAll(fd, content);
  if (ok && exists) {
    // Only root may hand a file to another owner; for anyone else the owner is already right.
    if (fchown(fd, existing.st_uid, existing.st_gid) != 0) {
      // Keep going: the content matters more than the owner.
    }
    ok = fchmod(fd, existing.st_mode & 07777) == 0;
  }
  ok = ok && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok)
    ok = rename(temporary.c_str(), target->path.c_str()) == 0;
  if (!ok) {
    unlink(temporary.c_str());
    return false;
  }
  // Make the rename itself durable.
  const int folderFd = open(FolderOf(target->path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    fsync(folderFd);
    close(folderFd);
  }
  return true;
}

}  // namespace platform

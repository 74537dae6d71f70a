#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/files.h"

namespace platform {

namespace {

bool WriteAll(int fd, std::string_view content) {
  size_t written = 0;
  while (written < content.size()) {
    const ssize_t n = write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind(kPathSeparator);
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, size_t limit) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  std::string content;
  char buffer[65536];
  while (content.size() < limit) {
    const size_t want = std::min(sizeof buffer, limit - content.size());
    const ssize_t n = read(fd, buffer, want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    content.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return content;
}

bool WriteFileAtomically(const std::string& path, std::string_view content) {
  // Keep the permissions of the file being replaced; a new file gets the usual 0666 & ~umask.
  mode_t mode = 0666;
  struct stat existing {};
  const bool targetExists = lstat(path.c_str(), &existing) == 0;
  if (targetExists && !S_ISREG(existing.st_mode)) return false;  // a folder, a link, a device
  if (targetExists) mode = existing.st_mode & 07777;

  // mkstemp creates the file with O_EXCL, so it never follows a planted link.
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return false;
  if (!targetExists) {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  bool ok = WriteAll(fd, content) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok) ok = rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(temporary.c_str());
    return false;
  }
  // Make the rename itself durable.
  const int folderFd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    fsync(folderFd);
    close(folderFd);
  }
  return true;
}

}  // namespace platform

#include "lang/pack_archive.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace pack {

ArchiveSource ArchiveFile(const std::string& path) {
  return {path, {}, false};
}

ArchiveSource ArchiveInMemory(std::string_view bytes) {
  return {{}, bytes, true};
}

namespace {

// O_NONBLOCK keeps the open of a FIFO from waiting for a writer; it is refused right after.
int OpenRegularFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0)
    return -1;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return -1;
  }
  return fd;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

bool OpenArchive(PackArchive& archive, const ArchiveSource& source) {
  CloseArchive(archive);
  archive.handle = archive_read_new();
  if (archive.handle == nullptr)
    return false;
  // The pack is a plain ZIP archive; no other format or outer compression is accepted.
  archive_read_support_format_zip(archive.handle);
  int status = ARCHIVE_FATAL;
  if (source.inMemory) {
    status = archive_read_open_memory(archive.handle, source.bytes.data(), source.bytes.size());
  } else {
    archive.fd = OpenRegularFile(source.path);
    if (archive.fd >= 0)
      status = archive_read_open_fd(archive.handle, archive.fd, 65536);
  }
  if (status != ARCHIVE_OK) {
    CloseArchive(archive);
    return false;
  }
  return true;
}

void CloseArchive(PackArchive& archive) {
  if (archive.handle != nullptr)
    archive_read_free(archive.handle);
  if (archive.fd >= 0)
    close(archive.fd);
  archive = {};
}

bool NextRootFile(PackArchive& archive) {
  if (archive.handle == nullptr)
    return false;
  for (;;) {
    archive_entry* entry = nullptr;
    const int status = archive_read_next_header(archive.handle, &entry);
    // Beyond a warning the walk cannot be trusted to move on; what was read so far stands.
    if (status != ARCHIVE_OK && status != ARCHIVE_WARN)
      return false;
    if (archive_entry_filetype(entry) != AE_IFREG)
      continue;
    const char* name = archive_entry_pathname_utf8(entry);
    if (name == nullptr)
      name = archive_entry_pathname(entry);
    if (name == nullptr || !IsRootFileName(name))
      continue;
    archive.entryName = name;
    return true;
  }
}

std::optional<std::string> ReadEntry(PackArchive& archive, ReadLimit limit) {
  if (archive.handle == nullptr)
    return std::nullopt;
  // One byte beyond the limit tells a too-long entry from one that just fits.
  const size_t wanted = limit.rule == Oversize::Skip ? limit.bytes + 1 : limit.bytes;
  std::string content;
  char buffer[65536];
  while (content.size() < wanted) {
    const size_t ask = std::min(sizeof buffer, wanted - content.size());
    const la_ssize_t got = archive_read_data(archive.handle, buffer, ask);
    if (got < 0)
      return std::nullopt;
    if (got == 0)
      break;
    content.append(buffer, static_cast<size_t>(got));
  }
  if (content.size() > limit.bytes)
    return std::nullopt;
  return content;
}

std::unordered_map<std::string, std::string> ReadNamedEntries(
    const ArchiveSource& source, const std::unordered_set<std::string>& names, ReadLimit limit) {
  std::unordered_map<std::string, std::string> found;
  if (names.empty())
    return found;
  PackArchive archive;
  if (!OpenArchive(archive, source))
    return found;
  // Only the first entry of a name counts, also when it cannot be read.
  std::unordered_set<std::string> seen;
  while (seen.size() < names.size() && NextRootFile(archive)) {
    if (names.count(archive.entryName) == 0 || !seen.insert(archive.entryName).second)
      continue;
    if (std::optional<std::string> content = ReadEntry(archive, limit)) {
      found.emplace(archive.entryName, std::move(*content));
    }
  }
  CloseArchive(archive);
  return found;
}

bool IsRootFileName(std::string_view name) {
  // A NUL would cut the name short where it becomes a path.
  constexpr std::string_view kSeparators{"/\\\0", 3};
  return !name.empty() && name.find_first_of(kSeparators) == std::string_view::npos &&
         name.find("..") == std::string_view::npos;
}

std::optional<std::string_view> ExtensionOf(std::string_view name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos)
    return std::nullopt;
  const std::string_view after = name.substr(dot + 1);
  if (after.find_first_of("/\\") != std::string_view::npos)
    return std::nullopt;
  if (std::any_of(after.begin(), after.end(), IsBlank))
    return std::nullopt;
  return after;
}

std::string_view StemOf(std::string_view name) {
  if (!ExtensionOf(name))
    return name;
  return name.substr(0, name.rfind('.'));
}

}  // namespace pack

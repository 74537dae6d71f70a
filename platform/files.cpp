#include "platform/files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

namespace platform {

namespace {

std::string g_programFolderOverride;

std::string WithoutTrailingSeparators(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == kPathSeparator)
    trimmed.pop_back();
  return trimmed;
}

unsigned char AsciiLower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

bool NameLess(const FolderEntry& a, const FolderEntry& b) {
  const auto lowerLess = [](char x, char y) {
    return AsciiLower(static_cast<unsigned char>(x)) < AsciiLower(static_cast<unsigned char>(y));
  };
  if (std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                   lowerLess)) {
    return true;
  }
  if (std::lexicographical_compare(b.name.begin(), b.name.end(), a.name.begin(), a.name.end(),
                                   lowerLess)) {
    return false;
  }
  return a.name < b.name;
}

}  // namespace

PathKind KindOfPath(const std::string& path) {
  if (path.empty())
    return PathKind::Missing;
  struct stat info {};
  if (stat(WithoutTrailingSeparators(path).c_str(), &info) != 0)
    return PathKind::Missing;
  if (S_ISREG(info.st_mode))
    return PathKind::File;
  if (S_ISDIR(info.st_mode))
    return PathKind::Folder;
  return PathKind::Other;
}

std::optional<int64_t> FileSize(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
    return std::nullopt;
  return static_cast<int64_t>(info.st_size);
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
  DIR* dir = opendir(WithoutTrailingSeparators(folder).c_str());
  if (dir == nullptr)
    return std::nullopt;
  std::vector<FolderEntry> entries;
  const int dirFd = dirfd(dir);
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..")
      continue;
    bool isFolder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat info {};
      isFolder = fstatat(dirFd, entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
    }
    entries.push_back({name, isFolder});
  }
  closedir(dir);
  std::sort(entries.begin(), entries.end(), NameLess);
  return entries;
}

void CreateFolders(const std::string& folder) {
  for (size_t at = 1; at <= folder.size(); ++at) {
    if (at == folder.size() || folder[at] == kPathSeparator) {
      const std::string prefix = folder.substr(0, at);
      if (KindOfPath(prefix) == PathKind::Missing)
        mkdir(prefix.c_str(), 0777);
    }
  }
}

std::string ProgramFolder() {
  if (!g_programFolderOverride.empty())
    return g_programFolderOverride;
  char buffer[4096];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0)
    return {};
  std::string path(buffer, static_cast<size_t>(length));
  return path.substr(0, path.rfind(kPathSeparator) + 1);
}

void SetProgramFolderForTests(const std::string& folder) {
  g_programFolderOverride = folder;
  if (!g_programFolderOverride.empty() && g_programFolderOverride.back() != kPathSeparator) {
    g_programFolderOverride.push_back(kPathSeparator);
  }
}

std::string PrivateTempFolder() {
  static std::once_flag once;
  static std::string folder;
  std::call_once(once, [] {
    std::string base = EnvironmentValue("XDG_RUNTIME_DIR");
    if (base.empty() || KindOfPath(base) != PathKind::Folder)
      base = "/tmp";
    std::string pattern = base + "/sumvane-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr)
      folder = pattern + kPathSeparator;
  });
  return folder;
}

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace platform

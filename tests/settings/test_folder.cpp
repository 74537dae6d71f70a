#include "test_folder.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

ScratchFolder::ScratchFolder() {
  std::string pattern = std::filesystem::temp_directory_path().string() + "/sumvane-test-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr)
    std::abort();
  chmod(pattern.c_str(), 0755);
  path_ = pattern + "/";
}

ScratchFolder::~ScratchFolder() {
  // Give back write permission a test may have taken away, then remove everything.
  std::error_code ignored;
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored))
      chmod(it->path().c_str(), 0755);
  }
  std::filesystem::remove_all(path_, ignored);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

unsigned PermissionsOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0)
    return 0;
  return info.st_mode & 07777;
}

std::optional<bool> RunWithoutPrivileges(const std::function<bool()>& step) {
  const pid_t child = fork();
  if (child < 0)
    return std::nullopt;
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
      _exit(2);
    }
    _exit(step() ? 0 : 1);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
    return std::nullopt;
  if (WEXITSTATUS(status) == 2)
    return std::nullopt;
  return WEXITSTATUS(status) == 0;
}

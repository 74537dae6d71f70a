// Scratch folders and small file helpers shared by the settings tests.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// A fresh folder (ending in '/') removed with everything in it when the object goes. Readable
// by other users, so that a test can run a step without privileges inside it.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::optional<std::string> ReadBytes(const std::string& path);
// Names in the folder, sorted, "." and ".." left out.
std::vector<std::string> NamesIn(const std::string& folder);
unsigned PermissionsOf(const std::string& path);

// Runs `step` in a child process as a user without privileges (nobody when the tests run as
// root, since root passes every permission check). Empty when the child could not be run.
std::optional<bool> RunWithoutPrivileges(const std::function<bool()>& step);

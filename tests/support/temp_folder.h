// A private folder for one test's files, removed with everything in it when the test ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path with a trailing "/".
  const std::string& path() const { return path_; }
  std::string PathOf(std::string_view relative) const { return path_ + std::string(relative); }
  // Writes a file below the folder (creating sub-folders) and returns its full path.
  std::string WriteFile(std::string_view relative, std::string_view bytes) const;
  // Creates a folder below this one (and its parents) and returns its path, without "/".
  std::string MakeFolder(std::string_view relative) const;

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);
// Deterministic pseudo-random bytes, different for each seed.
std::string PseudoRandomBytes(size_t count, uint64_t seed);

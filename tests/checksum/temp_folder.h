// A private folder for one test's files, removed with everything in it at the end.
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

  const std::string& path() const { return path_; }
  std::string PathOf(std::string_view name) const;
  // Writes `bytes` to the file `name` in the folder and returns its path.
  std::string WriteFile(std::string_view name, std::string_view bytes) const;

 private:
  std::string path_;
};

// Deterministic pseudo-random bytes, different for each seed.
std::string PseudoRandomBytes(size_t count, uint64_t seed);

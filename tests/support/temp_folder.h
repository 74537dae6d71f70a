// A temporary folder for a test, removed with everything in it when the test ends.
#pragma once

#include <string>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path with a trailing "/".
  const std::string& path() const { return path_; }
  // Writes a file below the folder (creating sub-folders) and returns its full path.
  std::string Write(const std::string& relative, const std::string& content) const;
  std::string Folder(const std::string& relative) const;

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);

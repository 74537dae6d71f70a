#include "tests/support/temp_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "sumvane-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr)
    path_ = pattern + "/";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!path_.empty())
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Write(const std::string& relative, const std::string& content) const {
  const std::filesystem::path full = path_ + relative;
  std::filesystem::create_directories(full.parent_path());
  std::ofstream(full, std::ios::binary) << content;
  return full.string();
}

std::string TempFolder::Folder(const std::string& relative) const {
  std::filesystem::create_directories(path_ + relative);
  return path_ + relative;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

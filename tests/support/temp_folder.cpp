#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

TempFolder::TempFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/sumvane-test-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    ADD_FAILURE() << "cannot create a temporary folder from " << pattern;
    return;
  }
  path_ = pattern + "/";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!path_.empty())
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::WriteFile(std::string_view relative, std::string_view bytes) const {
  const std::filesystem::path file = PathOf(relative);
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  FILE* out = std::fopen(file.c_str(), "wb");
  EXPECT_NE(out, nullptr) << file;
  if (out != nullptr) {
    EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), out), bytes.size());
    EXPECT_EQ(std::fclose(out), 0);
  }
  return file.string();
}

std::string TempFolder::MakeFolder(std::string_view relative) const {
  const std::string folder = PathOf(relative);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  EXPECT_FALSE(error) << folder;
  return folder;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string PseudoRandomBytes(size_t count, uint64_t seed) {
  std::string bytes(count, '\0');
  uint64_t state = seed * 0x9E3779B97F4A7C15ull + 1;
  for (char& byte : bytes) {
    // xorshift64*: fast, and every byte depends on the seed.
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    byte = static_cast<char>((state * 0x2545F4914F6CDD1Dull) >> 56);
  }
  return bytes;
}

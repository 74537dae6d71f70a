#include "tests/checksum/temp_folder.h"

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>

TempFolder::TempFolder() {
  const char* base = getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/sumvane-checksum-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    ADD_FAILURE() << "cannot create a temporary folder from " << pattern;
    return;
  }
  path_ = pattern;
}

TempFolder::~TempFolder() {
  if (!path_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
}

std::string TempFolder::PathOf(std::string_view name) const {
  return path_ + "/" + std::string(name);
}

std::string TempFolder::WriteFile(std::string_view name, std::string_view bytes) const {
  const std::string file = PathOf(name);
  FILE* out = fopen(file.c_str(), "wb");
  EXPECT_NE(out, nullptr) << file;
  if (out != nullptr) {
    EXPECT_EQ(fwrite(bytes.data(), 1, bytes.size(), out), bytes.size());
    EXPECT_EQ(fclose(out), 0);
  }
  return file;
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

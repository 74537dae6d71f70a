// The PNG check that flags pass before they are shown: only whole images within the size limit.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/png.h"
#include "tests/lang/pack_fixtures.h"

namespace {

struct PngCase {
  const char* what;
  std::string bytes;
  std::optional<platform::Size> size;
};

std::string WithByteChanged(std::string bytes, size_t fromEnd) {
  bytes[bytes.size() - fromEnd] ^= 0x01;
  return bytes;
}

TEST(FlagImage, OnlyWholeImagesWithinTheSideLimitDecode) {
  const std::string image = PngImage(32, 24);
  std::string zeroWidth = PngImage(1, 1);
  const PngCase cases[] = {
      {"whole", image, platform::Size{32, 24}},
      {"junk after the end", image + "junk", platform::Size{32, 24}},
      {"1024 × 1024", PngImage(1024, 1024), platform::Size{1024, 1024}},
      {"1025 wide", PngImage(1025, 1), std::nullopt},
      {"1025 high", PngImage(1, 1025), std::nullopt},
      {"cut in the image data", image.substr(0, image.size() - 20), std::nullopt},
      {"signature only", image.substr(0, 8), std::nullopt},
      {"checksum of the image data wrong", WithByteChanged(image, 13), std::nullopt},
      {"empty", "", std::nullopt},
      {"text", "not an image at all", std::nullopt},
  };
  for (const PngCase& test : cases) {
    EXPECT_EQ(platform::PngDimensions(reinterpret_cast<const unsigned char*>(test.bytes.data()),
                                      test.bytes.size(), 1024),
              test.size)
        << test.what;
  }
  EXPECT_FALSE(platform::PngDimensions(nullptr, 10, 1024));
}

}  // namespace

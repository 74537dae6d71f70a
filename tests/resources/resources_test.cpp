// The built-in images and the language pack's flags: every one must decode as the 8-bit RGBA PNG
// the program expects, at the size the program lays out.
#include <png.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/builtin_images.h"

namespace {

struct DecodedPng {
  bool decoded = false;
  std::string error;
  uint32_t width = 0;
  uint32_t height = 0;
  int bitDepth = 0;
  int colourType = -1;
  std::vector<unsigned char> rgba;  // width * height * 4 bytes
};

uint32_t BigEndian32(const unsigned char* bytes) {
  return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
         uint32_t{bytes[3]};
}

// Reads the header fields straight from the IHDR chunk (libpng's simplified reader would convert
// silently), then decodes every pixel with libpng so that a corrupt stream fails too.
DecodedPng Decode(const unsigned char* bytes, size_t length) {
  DecodedPng result;
  static const unsigned char kIhdrStart[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n',
                                             0,    0,   0,   13,  'I',  'H',  'D',  'R'};
  if (bytes == nullptr || length < 33 ||
      !std::equal(std::begin(kIhdrStart), std::end(kIhdrStart), bytes)) {
    result.error = "no PNG header";
    return result;
  }
  result.width = BigEndian32(bytes + 16);
  result.height = BigEndian32(bytes + 20);
  result.bitDepth = bytes[24];
  result.colourType = bytes[25];

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes, length)) {
    result.error = image.message;
    return result;
  }
  image.format = PNG_FORMAT_RGBA;
  result.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, result.rgba.data(), 0, nullptr)) {
    result.error = image.message;
    png_image_free(&image);
    return result;
  }
  result.decoded = true;
  return result;
}

bool HasOpaquePixel(const DecodedPng& png) {
  for (size_t i = 3; i < png.rgba.size(); i += 4) {
    if (png.rgba[i] == 255) {
      return true;
    }
  }
  return false;
}

void ExpectEightBitRgba(const DecodedPng& png) {
  ASSERT_TRUE(png.decoded) << png.error;
  EXPECT_EQ(png.bitDepth, 8);
  EXPECT_EQ(png.colourType, PNG_COLOR_TYPE_RGBA);
  EXPECT_TRUE(HasOpaquePixel(png)) << "the image is blank";
}

struct ImageSize {
  int imageNumber;
  uint32_t side;
};

constexpr ImageSize kBuiltinImageSizes[] = {
    {0, 128}, {1, 16}, {3, 64},  {4, 64},  {5, 64},  {6, 16},  {7, 16},
    {8, 16},  {9, 16}, {10, 16}, {11, 16}, {12, 16}, {13, 16},
};

TEST(BuiltinImages, EveryImageDecodesAsEightBitRgbaOfItsSize) {
  for (const ImageSize& expected : kBuiltinImageSizes) {
    SCOPED_TRACE("image " + std::to_string(expected.imageNumber));
    resources::PngData png = resources::BuiltinImagePng(expected.imageNumber);
    DecodedPng decoded = Decode(png.bytes, png.length);
    ExpectEightBitRgba(decoded);
    EXPECT_EQ(decoded.width, expected.side);
    EXPECT_EQ(decoded.height, expected.side);
  }
}

TEST(BuiltinImages, NumbersWithoutAnImageGiveNoData) {
  for (int imageNumber : {2, 14, 99, -1, INT_MIN, INT_MAX}) {
    SCOPED_TRACE("image " + std::to_string(imageNumber));
    resources::PngData png = resources::BuiltinImagePng(imageNumber);
    EXPECT_EQ(png.bytes, nullptr);
    EXPECT_EQ(png.length, 0u);
  }
}

// The four row states are told apart by colour alone, so their centres must differ clearly.
TEST(BuiltinImages, RowStateSquaresHaveClearlyDifferentColours) {
  std::vector<std::vector<unsigned char>> centres;
  for (int imageNumber = 10; imageNumber <= 13; ++imageNumber) {
    resources::PngData png = resources::BuiltinImagePng(imageNumber);
    DecodedPng decoded = Decode(png.bytes, png.length);
    ASSERT_TRUE(decoded.decoded) << decoded.error;
    size_t centre = (decoded.height / 2 * decoded.width + decoded.width / 2) * 4;
    centres.emplace_back(decoded.rgba.begin() + centre, decoded.rgba.begin() + centre + 4);
    EXPECT_EQ(centres.back()[3], 255) << "image " << imageNumber << " is see-through";
  }
  for (size_t a = 0; a < centres.size(); ++a) {
    for (size_t b = a + 1; b < centres.size(); ++b) {
      int distance = 0;
      for (int channel = 0; channel < 3; ++channel) {
        distance += std::abs(centres[a][channel] - centres[b][channel]);
      }
      EXPECT_GT(distance, 150) << "row images " << 10 + a << " and " << 10 + b;
    }
  }
}

std::filesystem::path SourceRoot() {
  const char* testData = std::getenv("SUMVANE_TEST_DATA");  // <source>/tests/data
  if (testData == nullptr) {
    return {};
  }
  return std::filesystem::path(testData).lexically_normal().parent_path().parent_path();
}

std::vector<unsigned char> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A flag inside a ZIP pack is read only up to this many bytes; a longer one would be cut.
constexpr size_t kZipFlagLimit = 16000;

TEST(LanguagePackFlags, EveryFlagDecodesAndFitsTheZipLimit) {
  std::filesystem::path root = SourceRoot();
  ASSERT_FALSE(root.empty()) << "SUMVANE_TEST_DATA is not set";
  std::filesystem::path pack = root / "lang" / "pack";
  for (const char* key :
       {"en_GB", "en_US", "de_DE", "fr_FR", "it_IT", "es_ES", "pt_BR", "nl_NL", "ru_RU", "ja_JP"}) {
    EXPECT_TRUE(std::filesystem::is_regular_file(pack / (std::string(key) + ".flag")))
        << key << " has no flag";
  }
  for (const auto& entry : std::filesystem::directory_iterator(pack)) {
    if (entry.path().extension() != ".flag") {
      continue;
    }
    SCOPED_TRACE(entry.path().string());
    std::vector<unsigned char> bytes = ReadBytes(entry.path());
    EXPECT_GT(bytes.size(), 0u);
    EXPECT_LT(bytes.size(), kZipFlagLimit);
    ExpectEightBitRgba(Decode(bytes.data(), bytes.size()));
  }
}

}  // namespace

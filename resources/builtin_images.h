// The PNG data of the program's built-in images, embedded at build time.
#pragma once

#include <cstddef>

namespace resources {

struct PngData {
  const unsigned char* bytes = nullptr;
  size_t length = 0;
};

// The PNG of the built-in image with this number; empty for a number without an image.
PngData BuiltinImagePng(int imageNumber);

}  // namespace resources

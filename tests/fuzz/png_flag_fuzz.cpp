// Any bytes as a flag image: decoding either fails or gives an image within the side limit
// whose pixels fill exactly the buffer it was given.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/png.h"

namespace {

void Require(bool condition) {
  if (!condition)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Small limits as well as the flag limit, so that the refusal of large images is reached.
  for (const int maxSide : {1024, 16}) {
    const auto image = platform::DecodePng(data, size, maxSide);
    if (!image)
      continue;
    Require(image->width >= 1 && image->width <= maxSide);
    Require(image->height >= 1 && image->height <= maxSide);
    Require(image->rgba.size() == static_cast<size_t>(image->width) * image->height * 4);
    const auto dimensions = platform::PngDimensions(data, size, maxSide);
    Require(dimensions && dimensions->width == image->width && dimensions->height == image->height);
  }
  return 0;
}

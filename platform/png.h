// PNG decoding without the GUI toolkit: what the image loader and the language pack's flag check
// share. Decoding is bounded: an image larger than `maxSide` pixels either way is refused before
// any pixel memory is taken, so a hostile header cannot make us allocate gigabytes.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/gui.h"

namespace platform {

struct DecodedPng {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgba;  // height rows of width × 4 bytes, 8 bits per channel
};

// The whole image as 8-bit RGBA. Empty when the data is not a complete PNG (a cut or corrupt
// stream included) or when either side is 0 or larger than `maxSide`.
std::optional<DecodedPng> DecodePng(const unsigned char* data, size_t length, int maxSide);

// The size of the image when the data decodes completely under the same rules as DecodePng.
std::optional<Size> PngDimensions(const unsigned char* data, size_t length, int maxSide);

}  // namespace platform

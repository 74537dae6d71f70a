#include "platform/png.h"

#include <png.h>

namespace platform {

std::optional<DecodedPng> DecodePng(const unsigned char* data, size_t length, int maxSide) {
  if (data == nullptr || length == 0 || maxSide <= 0)
    return std::nullopt;
  png_image decoder{};
  decoder.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&decoder, data, length))
    return std::nullopt;
  const auto limit = static_cast<png_uint_32>(maxSide);
  if (decoder.width == 0 || decoder.height == 0 || decoder.width > limit ||
      decoder.height > limit) {
    png_image_free(&decoder);
    return std::nullopt;
  }
  decoder.format = PNG_FORMAT_RGBA;
  DecodedPng image;
  image.width = static_cast<int>(decoder.width);
  image.height = static_cast<int>(decoder.height);
  const size_t rowBytes = size_t{decoder.width} * 4;
  image.rgba.resize(rowBytes * decoder.height);
  // A stream that ends early or fails its checks makes finish_read fail (it frees the decoder).
  if (!png_image_finish_read(&decoder, nullptr, image.rgba.data(),
                             static_cast<png_int_32>(rowBytes), nullptr)) {
    png_image_free(&decoder);
    return std::nullopt;
  }
  return image;
}

std::optional<Size> PngDimensions(const unsigned char* data, size_t length, int maxSide) {
  const std::optional<DecodedPng> image = DecodePng(data, length, maxSide);
  if (!image)
    return std::nullopt;
  return Size{image->width, image->height};
}

}  // namespace platform

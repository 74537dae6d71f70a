#include "resources/builtin_images.h"

#include <span>

#include "embedded_images.h"

namespace resources {
namespace {

struct BuiltinImage {
  int imageNumber;
  const std::span<const unsigned char>* png;
};

// Number 2 has no image.
constexpr BuiltinImage kBuiltinImages[] = {
    {0, &embedded::kImage00Logo},       {1, &embedded::kImage01Web},
    {3, &embedded::kImage03Bulb},       {4, &embedded::kImage04Question},
    {5, &embedded::kImage05Warning},    {6, &embedded::kImage06MenuOpen},
    {7, &embedded::kImage07MenuAbout},  {8, &embedded::kImage08MenuHelp},
    {9, &embedded::kImage09MenuQuit},   {10, &embedded::kImage10RowBusy},
    {11, &embedded::kImage11RowDone},   {12, &embedded::kImage12RowQueued},
    {13, &embedded::kImage13RowFailed},
};

}  // namespace

PngData BuiltinImagePng(int imageNumber) {
  for (const BuiltinImage& image : kBuiltinImages) {
    if (image.imageNumber == imageNumber) {
      return {image.png->data(), image.png->size()};
    }
  }
  return {};
}

}  // namespace resources

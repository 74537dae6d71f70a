// How a message dialog looks: the record that the three presets and every caller share.
#pragma once

#include <cstdint>
#include <string>

struct MessageDialogSpec {
  int64_t X = 0;
  int64_t Y = 0;
  int64_t Width = 0;
  int64_t Height = 0;  // minimum client height; grows for a taller image
  std::u16string Title;
  int64_t WindowColor = -1;  // 0xBBGGRR, -1 default
  int8_t TextFlags = 0;      // 0 left, 1 centred, 2 right
  int64_t TextColor = -1;
  int64_t Font = -1;
  int64_t Image = -1;
  std::u16string Buttons;  // "caption" or "negative|affirmative"
  int64_t BarStyle = 0;    // 0 none, 1 line under the text, 2 line across, 3 band
  int64_t BarColor = -1;
  uint8_t ButtonAlign = 0;  // second button: 0 left, 1 right, other: none
};

// Conversions between the program's UTF-16 texts and UTF-8 bytes. Decoding is lenient: any byte
// sequence gives a text, with U+FFFD for what is not valid UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::u16string Utf8ToUtf16(std::string_view bytes);
std::string Utf16ToUtf8(std::u16string_view text);
// ASCII-only helpers for building texts from literals and numbers.
std::u16string AsciiToUtf16(std::string_view ascii);
std::u16string NumberToUtf16(int64_t value);

}  // namespace platform

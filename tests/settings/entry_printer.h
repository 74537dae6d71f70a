// Readable failure messages for keyed text entries.
#pragma once

#include <ostream>

#include "settings/keyed_text_file.h"

namespace keyed {

inline void PrintTo(const Entry& entry, std::ostream* out) {
  constexpr const char* kKindNames[] = {"group", "comment", "key"};
  *out << kKindNames[static_cast<int>(entry.kind)] << "{";
  for (const char c : entry.name + "|" + entry.text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      *out << c;
    } else {
      constexpr char kHex[] = "0123456789ABCDEF";
      *out << "\\x" << kHex[byte >> 4] << kHex[byte & 15];
    }
  }
  *out << "}";
}

}  // namespace keyed

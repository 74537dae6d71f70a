// Any bytes must parse, every operation must stay within bounds, and what was read must come
// out of a rewrite unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text.h"
#include "settings/keyed_text_file.h"

namespace {

void Require(bool condition) {
  if (!condition)
    std::abort();
}

void ReadEverything(keyed::KeyedTextFile& file) {
  Require(keyed::RewindGroups(file));
  do {
    if (!keyed::RewindKeys(file))
      continue;
    while (keyed::NextKey(file)) {
      const std::u16string name = keyed::CurrentKeyName(file);
      keyed::ReadText(file, name, u"");
      keyed::ReadNumber(file, name, 0);
      keyed::CurrentKeyValue(file);
    }
  } while (keyed::NextGroup(file));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  keyed::KeyedTextFile file;
  keyed::OpenFromBytes(file, bytes);

  const std::string written = keyed::SerializedContent(file);
  keyed::KeyedTextFile reread;
  keyed::OpenFromBytes(reread, written);
  Require(reread.entries == file.entries);
  Require(keyed::SerializedContent(reread) == written);

  ReadEverything(file);

  // Names and values taken from the input itself, so that writes hit existing entries too.
  const std::u16string group = platform::Utf8ToUtf16(bytes.substr(0, size / 4));
  const std::u16string key = platform::Utf8ToUtf16(bytes.substr(size / 4, size / 8));
  const std::u16string value = platform::Utf8ToUtf16(bytes.substr(size / 2, size / 8));
  keyed::SelectGroup(file, group);
  keyed::ReadText(file, key, u"");
  keyed::ReadNumber(file, key, 0);
  const bool wroteText = keyed::WriteText(file, key, value);
  keyed::WriteComment(file, value);
  keyed::WriteNumber(file, key, static_cast<int64_t>(size) - 1000);
  if (wroteText) {
    keyed::KeyedTextFile afterWrite;
    keyed::OpenFromBytes(afterWrite, keyed::SerializedContent(file));
    Require(afterWrite.entries == file.entries);
  }
  ReadEverything(file);
  return 0;
}

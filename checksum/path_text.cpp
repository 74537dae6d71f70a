#include "checksum/path_text.h"

namespace {

constexpr char16_t kSeparator = u'/';

// A backslash ends a folder too: names typed by a user or pasted from elsewhere may use it.
template <typename Char>
bool IsFolderSeparator(Char c) {
  return c == Char('/') || c == Char('\\');
}

template <typename String>
String WithTrailingSeparatorOf(const String& path) {
  using Char = typename String::value_type;
  if (path.empty() || path.back() == Char(kSeparator)) {
    return path;
  }
  return path + Char(kSeparator);
}

template <typename String>
String FolderPartOf(const String& path) {
  for (size_t end = path.size(); end > 0; --end) {
    if (IsFolderSeparator(path[end - 1])) {
      return path.substr(0, end);
    }
  }
  return String();
}

}  // namespace

std::string WithTrailingSeparator(const std::string& path) {
  return WithTrailingSeparatorOf(path);
}

std::u16string WithTrailingSeparator(const std::u16string& path) {
  return WithTrailingSeparatorOf(path);
}

std::string FolderPart(const std::string& path) {
  return FolderPartOf(path);
}

std::u16string FolderPart(const std::u16string& path) {
  return FolderPartOf(path);
}

bool HasExtension(const std::u16string& name) {
  size_t stop = name.size();
  while (stop > 0) {
    const char16_t c = name[stop - 1];
    if (c == u'.' || c == u' ' || IsFolderSeparator(c)) {
      break;
    }
    --stop;
  }
  if (stop == 0) {
    return false;
  }
  const size_t dot = stop - 1;
  const bool isDot = name[dot] == u'.';
  const bool startsFilePart = dot == 0 || IsFolderSeparator(name[dot - 1]);
  const bool extensionEmpty = dot + 1 == name.size();
  return isDot && !startsFilePart && !extensionEmpty;
}

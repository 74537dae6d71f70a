#include "settings/keyed_text_file.h"

#include <string>

#include "platform/files.h"
#include "platform/text.h"

namespace keyed {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kLineBreaks = "\r\n";
constexpr std::string_view kBlanks = " \t";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimLeadingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  return text;
}

std::string_view TrimBlanks(std::string_view text) {
  text = TrimLeadingBlanks(text);
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

unsigned char AsciiLower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

// Byte for byte on the UTF-8 form; only the ASCII letters ignore case, so "Ä" and "ä" differ.
bool NamesMatch(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(static_cast<unsigned char>(a[i])) !=
        AsciiLower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::string Latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto c = static_cast<unsigned char>(byte);
    if (c < 0x80) {
      out.push_back(byte);
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

// One line, without its line end. The structural characters are all ASCII, so the line can be
// split on the raw bytes in either encoding; `decode` turns each piece into UTF-8.
template <typename Decode>
void ParseLine(std::string_view line, const Decode& decode, std::vector<Entry>& entries) {
  const size_t first = line.find_first_not_of(kBlanks);
  if (first == std::string_view::npos)
    return;  // blanks only: as good as an empty line
  line.remove_prefix(first);
  if (line.front() == ';') {
    std::string_view text = line.substr(1);
    if (!text.empty() && text.front() == ' ')
      text.remove_prefix(1);
    entries.push_back({EntryKind::Comment, {}, decode(text)});
    return;
  }
  if (line.front() == '[') {
    const size_t close = line.find(']', 1);
    const std::string_view name =
        close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
    entries.push_back({EntryKind::Group, decode(name), {}});
    return;
  }
  const size_t equals = line.find('=');
  std::string_view name = line.substr(0, equals);
  while (!name.empty() && IsBlank(name.back()))
    name.remove_suffix(1);
  std::string_view value;
  if (equals != std::string_view::npos) {
    value = line.substr(equals + 1);
    while (!value.empty() && IsBlank(value.front()))
      value.remove_prefix(1);
  }
  entries.push_back({EntryKind::Key, decode(name), decode(value)});
}

std::vector<Entry> Parse(std::string_view bytes) {
  const bool isUtf8 = bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark;
  if (isUtf8)
    bytes.remove_prefix(kUtf8Mark.size());
  const auto decode = [isUtf8](std::string_view piece) {
    return isUtf8 ? std::string(piece) : Latin1ToUtf8(piece);
  };
  std::vector<Entry> entries;
  size_t at = 0;
  while (at < bytes.size()) {
    if (bytes[at] == '\r' || bytes[at] == '\n') {
      ++at;
      continue;
    }
    size_t end = bytes.find_first_of(kLineBreaks, at);
    if (end == std::string_view::npos)
      end = bytes.size();
    ParseLine(bytes.substr(at, end - at), decode, entries);
    at = end;
  }
  return entries;
}

size_t SectionStart(const KeyedTextFile& file) {
  return file.selectedGroup == kNoEntry ? 0 : file.selectedGroup + 1;
}

// One past the last entry of the selected section: the next group header or the end.
size_t SectionEnd(const KeyedTextFile& file) {
  size_t at = SectionStart(file);
  while (at < file.entries.size() && file.entries[at].kind != EntryKind::Group)
    ++at;
  return at;
}

bool SectionReadable(const KeyedTextFile& file) {
  return file.isOpen && !file.pendingGroup;
}

size_t FindKey(const KeyedTextFile& file, std::string_view name) {
  if (!SectionReadable(file))
    return kNoEntry;
  const size_t end = SectionEnd(file);
  for (size_t at = SectionStart(file); at < end; ++at) {
    const Entry& entry = file.entries[at];
    if (entry.kind == EntryKind::Key && NamesMatch(entry.name, name))
      return at;
  }
  return kNoEntry;
}

void SelectHeader(KeyedTextFile& file, size_t header) {
  file.selectedGroup = header;
  file.cursor = header;
  file.pendingGroup.reset();
}

void InsertEntry(KeyedTextFile& file, size_t at, Entry entry) {
  file.entries.insert(file.entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
  for (size_t* index : {&file.selectedGroup, &file.cursor, &file.groupWalk}) {
    if (*index != kNoEntry && *index >= at)
      ++*index;
  }
  file.cursor = at;
  file.changed = true;
}

// The checks that keep a written file reading back as it was written: a line break would split
// the entry and let a value inject entries of its own.
bool HasLineBreak(std::string_view text) {
  return text.find_first_of(kLineBreaks) != std::string_view::npos;
}

bool StorableGroupName(std::string_view name) {
  return !HasLineBreak(name) && name.find(']') == std::string_view::npos;
}

bool StorableKeyName(std::string_view name) {
  if (HasLineBreak(name) || name.find('=') != std::string_view::npos)
    return false;
  if (name.empty())
    return true;
  if (IsBlank(name.front()) || IsBlank(name.back()))
    return false;
  return name.front() != ';' && name.front() != '[';
}

bool PendingGroupStorable(const KeyedTextFile& file) {
  return !file.pendingGroup || StorableGroupName(*file.pendingGroup);
}

// A write into a pending group first appends its header at the end and selects it.
void MaterialisePendingGroup(KeyedTextFile& file) {
  if (!file.pendingGroup)
    return;
  std::string name = std::move(*file.pendingGroup);
  InsertEntry(file, file.entries.size(), {EntryKind::Group, std::move(name), {}});
  SelectHeader(file, file.entries.size() - 1);
}

int64_t ParseNumber(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at]))
    ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  // Accumulate towards the sign so that INT64_MIN itself is reachable; clamp instead of
  // overflowing.
  int64_t number = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    const int digit = text[at] - '0';
    if (negative) {
      if (number < (INT64_MIN + digit) / 10)
        return INT64_MIN;
      number = number * 10 - digit;
    } else {
      if (number > (INT64_MAX - digit) / 10)
        return INT64_MAX;
      number = number * 10 + digit;
    }
  }
  return number;
}

}  // namespace

bool Open(KeyedTextFile& file, const std::string& path) {
  file = {};
  std::optional<std::string> bytes = platform::ReadWholeFile(path, kMaxFileBytes + 1);
  if (!bytes || bytes->size() > kMaxFileBytes)
    return false;
  OpenFromBytes(file, *bytes);
  file.path = path;
  return true;
}

void OpenFromBytes(KeyedTextFile& file, std::string_view bytes) {
  file = {};
  file.entries = Parse(bytes);
  file.isOpen = true;
}

bool Create(KeyedTextFile& file, const std::string& path) {
  file = {};
  if (!platform::CanReplaceFileAtomically(path))
    return false;
  file.isOpen = true;
  file.changed = true;
  file.path = path;
  return true;
}

bool Close(KeyedTextFile& file) {
  if (!file.isOpen)
    return false;
  bool written = true;
  if (file.changed)
    written = platform::WriteFileAtomically(file.path, SerializedContent(file));
  file = {};
  return written;
}

bool SelectGroup(KeyedTextFile& file, std::u16string_view name) {
  if (!file.isOpen)
    return false;
  if (name.empty()) {
    SelectHeader(file, kNoEntry);
    return true;
  }
  std::string wanted = platform::Utf16ToUtf8(name);
  for (size_t at = 0; at < file.entries.size(); ++at) {
    const Entry& entry = file.entries[at];
    if (entry.kind == EntryKind::Group && NamesMatch(entry.name, wanted)) {
      SelectHeader(file, at);
      return true;
    }
  }
  SelectHeader(file, kNoEntry);
  file.pendingGroup = std::move(wanted);
  return false;
}

std::u16string ReadText(const KeyedTextFile& file, std::u16string_view key,
                        std::u16string_view fallback) {
  const size_t at = FindKey(file, platform::Utf16ToUtf8(key));
  if (at == kNoEntry)
    return std::u16string(fallback);
  return platform::Utf8ToUtf16(TrimBlanks(file.entries[at].text));
}

int64_t ReadNumber(const KeyedTextFile& file, std::u16string_view key, int64_t fallback) {
  const size_t at = FindKey(file, platform::Utf16ToUtf8(key));
  if (at == kNoEntry)
    return fallback;
  return ParseNumber(file.entries[at].text);
}

bool RewindGroups(KeyedTextFile& file) {
  if (!file.isOpen)
    return false;
  SelectHeader(file, kNoEntry);
  file.groupWalk = kNoEntry;
  return true;
}

bool NextGroup(KeyedTextFile& file) {
  if (!file.isOpen)
    return false;
  for (size_t at = file.groupWalk == kNoEntry ? 0 : file.groupWalk + 1; at < file.entries.size();
       ++at) {
    if (file.entries[at].kind == EntryKind::Group) {
      file.groupWalk = at;
      SelectHeader(file, at);
      return true;
    }
  }
  return false;
}

bool RewindKeys(KeyedTextFile& file) {
  if (!SectionReadable(file))
    return false;
  file.cursor = file.selectedGroup;
  return true;
}

bool NextKey(KeyedTextFile& file) {
  if (!SectionReadable(file))
    return false;
  for (size_t at = file.cursor == kNoEntry ? 0 : file.cursor + 1;
       at < file.entries.size() && file.entries[at].kind != EntryKind::Group; ++at) {
    if (file.entries[at].kind == EntryKind::Key) {
      file.cursor = at;
      return true;
    }
  }
  return false;
}

std::u16string CurrentKeyName(const KeyedTextFile& file) {
  if (!file.isOpen || file.cursor >= file.entries.size())
    return {};
  const Entry& entry = file.entries[file.cursor];
  return entry.kind == EntryKind::Key ? platform::Utf8ToUtf16(entry.name) : std::u16string();
}

std::u16string CurrentKeyValue(const KeyedTextFile& file) {
  if (!file.isOpen || file.cursor >= file.entries.size())
    return {};
  const Entry& entry = file.entries[file.cursor];
  return entry.kind == EntryKind::Key ? platform::Utf8ToUtf16(TrimBlanks(entry.text))
                                      : std::u16string();
}

bool WriteComment(KeyedTextFile& file, std::u16string_view text) {
  if (!file.isOpen)
    return false;
  std::string bytes = platform::Utf16ToUtf8(text);
  if (HasLineBreak(bytes) || !PendingGroupStorable(file))
    return false;
  MaterialisePendingGroup(file);
  const size_t at = file.cursor == kNoEntry ? 0 : file.cursor + 1;
  InsertEntry(file, at, {EntryKind::Comment, {}, std::move(bytes)});
  return true;
}

bool WriteText(KeyedTextFile& file, std::u16string_view key, std::u16string_view value) {
  if (!file.isOpen)
    return false;
  std::string name = platform::Utf16ToUtf8(key);
  // Blanks before a value cannot survive a rewrite; dropping them now keeps memory and file alike.
  std::string text(TrimLeadingBlanks(platform::Utf16ToUtf8(value)));
  if (!StorableKeyName(name) || HasLineBreak(text) || !PendingGroupStorable(file))
    return false;
  MaterialisePendingGroup(file);
  const size_t existing = FindKey(file, name);
  if (existing != kNoEntry) {
    file.entries[existing].name = std::move(name);
    file.entries[existing].text = std::move(text);
    file.cursor = existing;
    file.changed = true;
    return true;
  }
  InsertEntry(file, SectionEnd(file), {EntryKind::Key, std::move(name), std::move(text)});
  return true;
}

bool WriteNumber(KeyedTextFile& file, std::u16string_view key, int64_t value) {
  return WriteText(file, key, platform::NumberToUtf16(value));
}

std::string SerializedContent(const KeyedTextFile& file) {
  std::string out;
  out.append(kUtf8Mark).append(kLineEnd);
  for (const Entry& entry : file.entries) {
    switch (entry.kind) {
      case EntryKind::Group:
        out.append("[").append(entry.name).append("]");
        break;
      case EntryKind::Comment:
        out.append("; ").append(entry.text);
        break;
      case EntryKind::Key:
        out.append(entry.name).append(" = ").append(entry.text);
        break;
    }
    out.append(kLineEnd);
  }
  return out;
}

}  // namespace keyed

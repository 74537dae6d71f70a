// The keyed text file: lines grouped under "[group]" headers, each a "key = value" pair, with
// "; comment" lines in between. The preferences file and the language files use it.
//
// The whole file is held in memory as a list of entries in file order. Names, values and
// comments are kept as UTF-8 bytes; the operations take and give UTF-16 texts.
//
// Reading accepts anything: a file that starts with the UTF-8 mark EF BB BF is UTF-8, any other
// is Latin-1; CR, LF and CR LF all end lines; blank lines vanish. Group and key names match
// with ASCII letters compared regardless of case; the first match in file order wins, later
// duplicates are seen only by the walks (NextGroup, NextKey).
//
// Writing happens once, at Close, and only when something changed: the mark, an empty line and
// every entry, each line ended by CR LF, replacing the file atomically.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyed {

enum class EntryKind { Group, Comment, Key };

struct Entry {
  EntryKind kind = EntryKind::Key;
  std::string name;  // group or key name; empty for a comment
  std::string text;  // key value (as in the file, trailing blanks kept) or comment text
  bool operator==(const Entry&) const = default;
};

constexpr size_t kNoEntry = SIZE_MAX;

// Files larger than this are not read: no settings or language file comes near it, and it keeps
// a stray huge file from exhausting memory.
constexpr size_t kMaxFileBytes = size_t{256} << 20;

struct KeyedTextFile {
  bool isOpen = false;
  bool changed = false;
  std::string path;  // native path; empty for content parsed from memory
  std::vector<Entry> entries;
  size_t selectedGroup = kNoEntry;  // index of the selected group header; kNoEntry: ungrouped
  size_t cursor = kNoEntry;         // entry under the cursor; kNoEntry: before the first entry
  size_t groupWalk = kNoEntry;      // header last visited by NextGroup; kNoEntry: none yet
  std::optional<std::string> pendingGroup;  // selected for writing, not yet in the list
};

// Reads and parses the file; false when it cannot be read (missing, no access, not a regular
// file, larger than kMaxFileBytes), and the object then holds nothing. No group is selected.
bool Open(KeyedTextFile& file, const std::string& path);
// Parses content already in memory, such as an entry of an archive. Always succeeds.
void OpenFromBytes(KeyedTextFile& file, std::string_view bytes);
// Starts an empty, changed object for `path`. Nothing on disk changes until Close; false when
// the file could not be written there (the object is then closed).
bool Create(KeyedTextFile& file, const std::string& path);
// Writes a changed object's content over its file atomically, then releases everything. A file
// only read is not touched. False when the write failed (the old file stays as it was) or
// nothing was open.
bool Close(KeyedTextFile& file);

// Empty name: the ungrouped section (true). Otherwise the first group of that name (true), or,
// if there is none, that name becomes the pending group: reads find nothing, and the next write
// appends the group at the end (false).
bool SelectGroup(KeyedTextFile& file, std::u16string_view name);

// The first value of `key` in the selected section, blanks around it removed; `fallback` when
// the key is absent. An empty value is the empty text.
std::u16string ReadText(const KeyedTextFile& file, std::u16string_view key,
                        std::u16string_view fallback);
// The value as a signed decimal number: leading blanks, an optional sign, then digits up to the
// first other character; no digit at all reads as 0. A number beyond the 64-bit range reads as
// INT64_MIN or INT64_MAX. `fallback` when the key is absent.
int64_t ReadNumber(const KeyedTextFile& file, std::u16string_view key, int64_t fallback);

// The walk over group headers, duplicates included; the ungrouped section is not visited.
bool RewindGroups(KeyedTextFile& file);
bool NextGroup(KeyedTextFile& file);
// The walk over the key entries of the selected section, duplicates included.
bool RewindKeys(KeyedTextFile& file);
bool NextKey(KeyedTextFile& file);
// Name and value (blanks around it removed) of the key entry under the cursor; empty when the
// cursor is not on a key entry.
std::u16string CurrentKeyName(const KeyedTextFile& file);
std::u16string CurrentKeyValue(const KeyedTextFile& file);

// The writes create a pending group first. A comment goes right after the cursor; a new key at
// the end of the selected section; an existing key gets the new value and the new letter case
// of its name. The cursor moves to the entry written. A text that could not be read back as
// written is refused (false, nothing changes): any line break, a "]" in a group name, an "=" in
// a key name or a key name that would read as a comment or a group.
bool WriteComment(KeyedTextFile& file, std::u16string_view text);
bool WriteText(KeyedTextFile& file, std::u16string_view key, std::u16string_view value);
bool WriteNumber(KeyedTextFile& file, std::u16string_view key, int64_t value);

// The bytes Close writes for the current entries.
std::string SerializedContent(const KeyedTextFile& file);

}  // namespace keyed

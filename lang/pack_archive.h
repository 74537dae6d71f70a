// The ZIP form of the language pack, read through libarchive straight into memory. Entries are
// never written to disk, only regular files at the archive's root are offered, and no entry is
// read beyond the limit its caller gives, whatever size its header claims.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

struct archive;

namespace pack {

// A language file larger than this is no language file; the real ones are a few kilobytes.
constexpr size_t kMaxLanguageFileBytes = size_t{4} << 20;
// A flag in the archive is read up to this many bytes; the rest of a longer one is cut off.
constexpr size_t kMaxArchiveFlagBytes = 16000;

// Where an archive's bytes come from: a file on disk, or a buffer that outlives every use.
struct ArchiveSource {
  std::string path;
  std::string_view bytes;
  bool inMemory = false;
};
ArchiveSource ArchiveFile(const std::string& path);
ArchiveSource ArchiveInMemory(std::string_view bytes);

// What to do with an entry longer than the limit.
enum class Oversize { Skip, Cut };
struct ReadLimit {
  size_t bytes = 0;
  Oversize rule = Oversize::Skip;
};
inline constexpr ReadLimit kLanguageFileLimit{kMaxLanguageFileBytes, Oversize::Skip};
inline constexpr ReadLimit kArchiveFlagLimit{kMaxArchiveFlagBytes, Oversize::Cut};

struct PackArchive {
  struct archive* handle = nullptr;
  int fd = -1;
  std::string entryName;  // the entry NextRootFile stopped at
};

// Opens the archive for one walk. A file is opened only when it is a regular file (a FIFO or
// device would block or never end); false when it cannot be opened or is not a ZIP archive.
bool OpenArchive(PackArchive& archive, const ArchiveSource& source);
void CloseArchive(PackArchive& archive);

// Moves to the next regular file at the archive's root and sets `entryName`. Folders, links,
// entries inside folders and names that could reach outside a folder are passed over. False at
// the end, or when the archive cannot be read any further.
bool NextRootFile(PackArchive& archive);
// The current entry's content under `limit`; empty when it cannot be read or is too long for
// Oversize::Skip.
std::optional<std::string> ReadEntry(PackArchive& archive, ReadLimit limit);

// One walk that reads the first root entry of each wanted name. Names not found, and names
// whose first entry cannot be read, are absent.
std::unordered_map<std::string, std::string> ReadNamedEntries(
    const ArchiveSource& source, const std::unordered_set<std::string>& names, ReadLimit limit);

// A name that stands for a file at the root of a folder: not empty, no "/", "\" or NUL, no "..".
bool IsRootFileName(std::string_view name);
// The text after the last "." of the name, unless a "/", "\" or blank follows that dot.
std::optional<std::string_view> ExtensionOf(std::string_view name);
// The name without its extension and the dot before it; the whole name when it has none.
std::string_view StemOf(std::string_view name);

}  // namespace pack

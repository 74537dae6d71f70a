// Language packs, language files and PNG images made on the spot for the language tests.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class PackKind { Folder, Zip };
const char* NameOf(PackKind kind);

enum class EntryKind { File, Folder, Link };
struct PackEntry {
  std::string name;   // relative path; "/" separates folders
  std::string bytes;  // content of a file, target of a link
  EntryKind kind = EntryKind::File;
};

// A ZIP archive of the entries, in the order given, written with libarchive. False on failure.
bool WriteZip(const std::string& path, const std::vector<PackEntry>& entries);
// The entries as a folder (created with its sub-folders) or as a ZIP archive at `path`.
bool MakePack(PackKind kind, const std::string& path, const std::vector<PackEntry>& entries);
// Every entry name of a ZIP archive in archive order, as libarchive reads it.
std::vector<std::string> ZipEntryNames(const std::string& path);

// A language file: UTF-8 mark, the header group with the display name (left out when
// `name` is null) and the other header keys made from it, then `body`.
std::string LanguageFile(const char* name, std::string_view body = "",
                         std::string_view version = "1.0");

// An 8-bit RGBA PNG of that size.
std::string PngImage(int width, int height);
// A PNG whose image data chunk ends exactly at byte `imageDataEnd` (a padding chunk before it
// takes up the room), followed after its end chunk by junk up to `totalSize` bytes.
std::string PngWithImageDataEndingAt(size_t imageDataEnd, size_t totalSize);

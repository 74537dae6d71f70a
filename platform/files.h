// File system access for the core: paths are native byte strings (std::string), as the kernel
// sees them. Nothing here touches the GUI toolkit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

constexpr char kPathSeparator = '/';

enum class PathKind { Missing, File, Folder, Other };

// Follows symbolic links. A trailing separator does not change the answer.
PathKind KindOfPath(const std::string& path);
std::optional<int64_t> FileSize(const std::string& path);

struct FolderEntry {
  std::string name;  // native bytes
  bool isFolder = false;
};
// Every entry but "." and "..", hidden ones included, sorted by name case-insensitively, then
// by bytes. Empty optional: the folder cannot be listed.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder);

// Creates the folder and every missing parent; a level that cannot be created is skipped.
void CreateFolders(const std::string& folder);

// The whole content, or nothing when the file cannot be read. Reads at most `limit` bytes.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t limit = SIZE_MAX);

// Writes `content` to `path` so that the old file survives any failure: a temporary file in
// the same folder is written, flushed to disk and renamed over the target. Keeps the target's
// permissions (and its owner where allowed). A symbolic link at `path` stays a link: the file it
// points to is replaced. A target the user may not write (a "read-only" file), a folder or any
// other non-regular file is refused. False (the old file untouched, no temporary file left) on
// any failure.
bool WriteFileAtomically(const std::string& path, std::string_view content);

// Whether WriteFileAtomically(path, ...) may be expected to succeed: the target is a regular
// file the user may write or is absent, and its folder lets the user create files. Changes
// nothing on disk.
bool CanReplaceFileAtomically(const std::string& path);

// The folder of the running program, with its trailing separator. Tests may override it.
std::string ProgramFolder();
void SetProgramFolderForTests(const std::string& folder);

// A private temporary folder of this user (mode 0700), created on first use.
std::string PrivateTempFolder();

// The value of an environment variable, empty when unset.
std::string EnvironmentValue(const char* name);

}  // namespace platform

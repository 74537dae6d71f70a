// Small helpers on path texts: folder paths with their trailing separator, the folder part of a
// path, and whether a file name carries an extension.
#pragma once

#include <string>

// The path with one "/" appended unless it already ends in "/"; the empty path stays empty.
std::string WithTrailingSeparator(const std::string& path);
std::u16string WithTrailingSeparator(const std::u16string& path);

// The path up to and including its last "/" or "\"; empty when it has neither.
std::string FolderPart(const std::string& path);
std::u16string FolderPart(const std::u16string& path);

// True when the last dot of the name's file part starts a non-empty extension. The name is read
// from its end back to the first dot, blank, "/" or "\": only a dot counts, and only when it is
// neither the first character of the name nor right after a "/" or "\" (".bashrc" is a name,
// not an extension). So "results." and "archive.2024 final" have none.
bool HasExtension(const std::u16string& name);

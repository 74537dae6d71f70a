#include "lang/pack_reading.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <unordered_set>

#include "lang/text_keys.h"
#include "platform/files.h"
#include "platform/text.h"

namespace pack {

namespace {

constexpr std::string_view kLanguageExtension = "language";
constexpr std::string_view kFlagExtension = "flag";

// The catalogue fields in the order of kLanguageHeaderKeys.
constexpr std::u16string LanguageInfo::*kHeaderFields[] = {
    &LanguageInfo::Name,   &LanguageInfo::Version, &LanguageInfo::Date,
    &LanguageInfo::Author, &LanguageInfo::LangId,  &LanguageInfo::Software,
};
static_assert(std::size(kHeaderFields) == std::size(kLanguageHeaderKeys));

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

bool HasExtensionIgnoringCase(std::string_view name, std::string_view extension) {
  const std::optional<std::string_view> actual = ExtensionOf(name);
  return actual && EqualsIgnoringAsciiCase(*actual, extension);
}

std::string InFolder(const std::string& folder, std::string_view name) {
  return folder + platform::kPathSeparator + std::string(name);
}

// The file of `stem` with `extension` in the folder: the exact name when something of that
// name is there, else the first listed file of that stem whose extension differs only in
// letter case. The pack's listing matches extensions that way, so whatever it lists must also
// be found again.
std::optional<std::string> FindInFolder(const std::string& folder, std::string_view stem,
                                        std::string_view extension) {
  const std::string exact = std::string(stem) + '.' + std::string(extension);
  if (!IsRootFileName(exact))
    return std::nullopt;
  if (platform::KindOfPath(InFolder(folder, exact)) != platform::PathKind::Missing) {
    return InFolder(folder, exact);
  }
  const auto listing = platform::ListFolder(folder);
  if (!listing)
    return std::nullopt;
  for (const platform::FolderEntry& entry : *listing) {
    if (StemOf(entry.name) == stem && HasExtensionIgnoringCase(entry.name, extension)) {
      return InFolder(folder, entry.name);
    }
  }
  return std::nullopt;
}

// A language file in a folder is held to the same size limit as one in an archive.
bool OpenFolderLanguageFile(keyed::KeyedTextFile& file, const std::string& path) {
  const std::optional<std::string> bytes =
      platform::ReadWholeFile(path, kLanguageFileLimit.bytes + 1);
  if (!bytes || bytes->size() > kLanguageFileLimit.bytes)
    return false;
  keyed::OpenFromBytes(file, *bytes);
  return true;
}

size_t IndexOf(const LanguageCatalogueMap& catalogue, const LanguageInfo* language) {
  return static_cast<size_t>(language - catalogue.entries.data());
}

}  // namespace

PackForm FormOfPack(const std::string& packPath) {
  switch (platform::KindOfPath(packPath)) {
    case platform::PathKind::Folder:
      return PackForm::Folder;
    case platform::PathKind::File:
      return platform::FileSize(packPath).value_or(0) > 0 ? PackForm::Archive : PackForm::None;
    case platform::PathKind::Missing:
    case platform::PathKind::Other:
      break;
  }
  return PackForm::None;
}

void ReadLanguageHeader(LanguageCatalogueMap& catalogue, keyed::KeyedTextFile& file,
                        const std::u16string& key) {
  keyed::SelectGroup(file, kLanguageFileGroup);
  LanguageInfo& language =
      FindOrAddLanguage(catalogue, keyed::ReadText(file, kLanguageHeaderKeys[0], u""));
  language.Key = key;
  for (size_t field = 0; field < std::size(kHeaderFields); ++field) {
    language.*kHeaderFields[field] = keyed::ReadText(file, kLanguageHeaderKeys[field], u"");
  }
}

void LoadKeyedTexts(TextTable& table, keyed::KeyedTextFile& file) {
  if (!keyed::RewindGroups(file))
    return;
  while (keyed::NextGroup(file)) {
    if (!keyed::RewindKeys(file))
      continue;
    while (keyed::NextKey(file)) {
      table[keyed::CurrentKeyName(file)] = keyed::CurrentKeyValue(file);
    }
  }
}

void FillCatalogue(LanguageCatalogueMap& catalogue, const std::string& packPath,
                   const FlagDecoder& decodeFlag) {
  switch (FormOfPack(packPath)) {
    case PackForm::Folder:
      FillCatalogueFromFolder(catalogue, packPath, decodeFlag);
      break;
    case PackForm::Archive:
      FillCatalogueFromArchive(catalogue, ArchiveFile(packPath), decodeFlag);
      break;
    case PackForm::None:
      break;
  }
}

void FillCatalogueFromFolder(LanguageCatalogueMap& catalogue, const std::string& folder,
                             const FlagDecoder& decodeFlag) {
  const auto listing = platform::ListFolder(folder);
  if (!listing)
    return;
  for (const platform::FolderEntry& entry : *listing) {
    if (!IsRootFileName(entry.name) || !HasExtensionIgnoringCase(entry.name, kLanguageExtension)) {
      continue;
    }
    keyed::KeyedTextFile file;
    if (!OpenFolderLanguageFile(file, InFolder(folder, entry.name)))
      continue;
    ReadLanguageHeader(catalogue, file, platform::Utf8ToUtf16(StemOf(entry.name)));
    keyed::Close(file);
  }

  for (const LanguageInfo* language : WalkLanguages(catalogue)) {
    const std::optional<std::string> path =
        FindInFolder(folder, platform::Utf16ToUtf8(language->Key), kFlagExtension);
    if (!path || platform::FileSize(*path).value_or(0) <= 0)
      continue;
    const std::optional<std::string> bytes =
        platform::ReadWholeFile(*path, kMaxFolderFlagBytes + 1);
    if (!bytes || bytes->empty() || bytes->size() > kMaxFolderFlagBytes)
      continue;
    const size_t index = IndexOf(catalogue, language);
    catalogue.entries[index].Flag = decodeFlag(index, *bytes);
  }
}

void FillCatalogueFromArchive(LanguageCatalogueMap& catalogue, const ArchiveSource& source,
                              const FlagDecoder& decodeFlag) {
  PackArchive archive;
  if (!OpenArchive(archive, source))
    return;
  while (NextRootFile(archive)) {
    const std::optional<std::string_view> extension = ExtensionOf(archive.entryName);
    if (!extension || *extension != kLanguageExtension)
      continue;
    const std::optional<std::string> content = ReadEntry(archive, kLanguageFileLimit);
    if (!content)
      continue;
    keyed::KeyedTextFile file;
    keyed::OpenFromBytes(file, *content);
    ReadLanguageHeader(catalogue, file, platform::Utf8ToUtf16(StemOf(archive.entryName)));
    keyed::Close(file);
  }
  CloseArchive(archive);

  // The flags in a second walk, one for all of them.
  std::unordered_set<std::string> flagNames;
  for (const LanguageInfo& language : catalogue.entries) {
    flagNames.insert(platform::Utf16ToUtf8(language.Key) + '.' + std::string(kFlagExtension));
  }
  const auto flags = ReadNamedEntries(source, flagNames, kArchiveFlagLimit);
  for (const LanguageInfo* language : WalkLanguages(catalogue)) {
    const auto flag =
        flags.find(platform::Utf16ToUtf8(language->Key) + '.' + std::string(kFlagExtension));
    if (flag == flags.end() || flag->second.empty())
      continue;
    const size_t index = IndexOf(catalogue, language);
    catalogue.entries[index].Flag = decodeFlag(index, flag->second);
  }
}

bool LoadTexts(TextTable& table, const std::string& packPath, const std::u16string& key) {
  switch (FormOfPack(packPath)) {
    case PackForm::Folder:
      return LoadTextsFromFolder(table, packPath, key);
    case PackForm::Archive:
      return LoadTextsFromArchive(table, ArchiveFile(packPath), key);
    case PackForm::None:
      break;
  }
  return false;
}

bool LoadTextsFromFolder(TextTable& table, const std::string& folder, const std::u16string& key) {
  const std::optional<std::string> path =
      FindInFolder(folder, platform::Utf16ToUtf8(key), kLanguageExtension);
  keyed::KeyedTextFile file;
  if (!path || !OpenFolderLanguageFile(file, *path))
    return false;
  LoadKeyedTexts(table, file);
  keyed::Close(file);
  return true;
}

bool LoadTextsFromArchive(TextTable& table, const ArchiveSource& source,
                          const std::u16string& key) {
  const std::string name = platform::Utf16ToUtf8(key) + '.' + std::string(kLanguageExtension);
  if (!IsRootFileName(name))
    return false;
  const auto found = ReadNamedEntries(source, {name}, kLanguageFileLimit);
  if (found.empty())
    return false;
  keyed::KeyedTextFile file;
  keyed::OpenFromBytes(file, found.begin()->second);
  LoadKeyedTexts(table, file);
  keyed::Close(file);
  return true;
}

}  // namespace pack

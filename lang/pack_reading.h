// The language pack, a folder or a ZIP archive, read into the catalogue and into a text table.
// Nothing here needs the GUI toolkit: a flag reaches the caller's decoder as bytes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "lang/catalogue.h"
#include "lang/pack_archive.h"
#include "settings/keyed_text_file.h"

namespace pack {

// A flag file in a folder pack larger than this is not read: a flag is a small picture, and a
// stray huge file must not be pulled into memory.
constexpr size_t kMaxFolderFlagBytes = size_t{4} << 20;

enum class PackForm { None, Folder, Archive };
// A folder is read as a folder and a non-empty regular file as an archive. Anything else (no
// such path, an empty file, a FIFO, device or socket) is no pack at all: opening a FIFO would
// hang start-up.
PackForm FormOfPack(const std::string& packPath);

// Turns a flag's bytes into an image number for the catalogue entry at `entryIndex`; -1 when
// they do not decode.
using FlagDecoder = std::function<int(size_t entryIndex, std::string_view bytes)>;
using TextTable = std::unordered_map<std::u16string, std::u16string>;

// Files the header group of an open language file under its display name; the last file read
// for a name supplies every field of its entry.
void ReadLanguageHeader(LanguageCatalogueMap& catalogue, keyed::KeyedTextFile& file,
                        const std::u16string& key);
// Every key entry under every group header, in file order, so the last occurrence of a key
// wins; entries before the first header are not texts. Only adds or replaces.
void LoadKeyedTexts(TextTable& table, keyed::KeyedTextFile& file);

// Adds the languages of the pack, then their flags.
void FillCatalogue(LanguageCatalogueMap& catalogue, const std::string& packPath,
                   const FlagDecoder& decodeFlag);
void FillCatalogueFromFolder(LanguageCatalogueMap& catalogue, const std::string& folder,
                             const FlagDecoder& decodeFlag);
void FillCatalogueFromArchive(LanguageCatalogueMap& catalogue, const ArchiveSource& source,
                              const FlagDecoder& decodeFlag);

// Loads the texts of the language file of `key` into `table`; false when there is none to read.
bool LoadTexts(TextTable& table, const std::string& packPath, const std::u16string& key);
bool LoadTextsFromFolder(TextTable& table, const std::string& folder, const std::u16string& key);
bool LoadTextsFromArchive(TextTable& table, const ArchiveSource& source, const std::u16string& key);

}  // namespace pack

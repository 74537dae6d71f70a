// Any bytes as the ZIP language pack: the walk must stay within its limits, offer only root
// files, and building the catalogue and loading every language must neither crash nor leak.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lang/catalogue.h"
#include "lang/pack_archive.h"
#include "lang/pack_reading.h"
#include "platform/png.h"

namespace {

void Require(bool condition) {
  if (!condition)
    std::abort();
}

void WalkEveryEntry(const pack::ArchiveSource& source) {
  pack::PackArchive archive;
  if (!pack::OpenArchive(archive, source))
    return;
  while (pack::NextRootFile(archive)) {
    Require(pack::IsRootFileName(archive.entryName));
    const auto extension = pack::ExtensionOf(archive.entryName);
    const pack::ReadLimit limit =
        extension && *extension == "flag" ? pack::kArchiveFlagLimit : pack::kLanguageFileLimit;
    if (const auto content = pack::ReadEntry(archive, limit))
      Require(content->size() <= limit.bytes);
  }
  pack::CloseArchive(archive);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const pack::ArchiveSource source = pack::ArchiveInMemory(bytes);
  WalkEveryEntry(source);

  LanguageCatalogueMap catalogue;
  pack::FillCatalogueFromArchive(catalogue, source, [](size_t index, std::string_view flag) {
    Require(!flag.empty() && flag.size() <= pack::kMaxArchiveFlagBytes);
    const auto size = platform::PngDimensions(reinterpret_cast<const unsigned char*>(flag.data()),
                                              flag.size(), 1024);
    return size ? static_cast<int>(index) : -1;
  });
  Require(WalkLanguages(catalogue).size() == catalogue.entries.size());

  pack::TextTable table;
  for (const LanguageInfo& language : catalogue.entries) {
    pack::LoadTextsFromArchive(table, source, language.Key);
  }
  return 0;
}

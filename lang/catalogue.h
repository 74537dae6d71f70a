// The languages of the pack, keyed by display name. The map walks in a fixed hash order, which
// is the order of the Languages menu: 512 buckets, hash × 65599 + code unit over UTF-16, new
// names at the front of their bucket's chain.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct LanguageInfo {
  std::u16string Name;  // display name, also the catalogue key
  std::u16string Key;   // file name without extension, e.g. "en_GB"
  std::u16string Version;
  std::u16string Date;
  std::u16string Author;
  std::u16string LangId;
  std::u16string Software;
  int Flag = -1;  // image number of the flag, -1 for none
};

struct LanguageCatalogueMap {
  static constexpr int kBuckets = 512;
  std::vector<LanguageInfo> entries;                 // storage; indices stay valid
  std::array<std::vector<int>, kBuckets> buckets{};  // chains, front first
};

uint32_t CatalogueHash(const std::u16string& name);
int CatalogueBucket(const std::u16string& name);

// The entry of that display name, or nullptr.
LanguageInfo* FindLanguage(LanguageCatalogueMap& catalogue, const std::u16string& name);
// The entry of that display name; a new empty one at the front of its chain when absent.
LanguageInfo& FindOrAddLanguage(LanguageCatalogueMap& catalogue, const std::u16string& name);
// Every entry in walking order: buckets 0 to 511, each chain front to back.
std::vector<const LanguageInfo*> WalkLanguages(const LanguageCatalogueMap& catalogue);

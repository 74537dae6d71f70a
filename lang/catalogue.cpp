#include "lang/catalogue.h"

uint32_t CatalogueHash(const std::u16string& name) {
  uint32_t hash = 0;
  for (const char16_t unit : name)
    hash = hash * 65599u + unit;
  return hash;
}

int CatalogueBucket(const std::u16string& name) {
  return static_cast<int>(CatalogueHash(name) % LanguageCatalogueMap::kBuckets);
}

LanguageInfo* FindLanguage(LanguageCatalogueMap& catalogue, const std::u16string& name) {
  for (const int index : catalogue.buckets[CatalogueBucket(name)]) {
    if (catalogue.entries[index].Name == name)
      return &catalogue.entries[index];
  }
  return nullptr;
}

LanguageInfo& FindOrAddLanguage(LanguageCatalogueMap& catalogue, const std::u16string& name) {
  if (LanguageInfo* existing = FindLanguage(catalogue, name))
    return *existing;
  catalogue.entries.push_back(LanguageInfo{name, {}, {}, {}, {}, {}, {}, -1});
  auto& chain = catalogue.buckets[CatalogueBucket(name)];
  chain.insert(chain.begin(), static_cast<int>(catalogue.entries.size() - 1));
  return catalogue.entries.back();
}

std::vector<const LanguageInfo*> WalkLanguages(const LanguageCatalogueMap& catalogue) {
  std::vector<const LanguageInfo*> walk;
  for (const auto& chain : catalogue.buckets) {
    for (const int index : chain)
      walk.push_back(&catalogue.entries[index]);
  }
  return walk;
}

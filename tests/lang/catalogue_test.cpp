// The catalogue's hash order, which is the order of the Languages menu, and the choice of the
// current language.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "lang/catalogue.h"
#include "lang/loading.h"

namespace {

std::vector<std::u16string> NamesInWalkOrder(const LanguageCatalogueMap& catalogue) {
  std::vector<std::u16string> names;
  for (const LanguageInfo* language : WalkLanguages(catalogue))
    names.push_back(language->Name);
  return names;
}

struct BucketCase {
  std::u16string name;
  int bucket;
};

TEST(Catalogue, NamesHashIntoTheirBuckets) {
  // hash := hash × 65599 + code unit, modulo 2^32; bucket := hash mod 512.
  const BucketCase cases[] = {
      {u"English", 112},
      {u"Italiano", 239},
      {u"Deutsch", 472},
      {u"", 0},
      {u"A", 65},
      {u"AB", 65},  // 65599 ≡ 63 (mod 512): 63 × 65 + 66 ≡ 65
      // Beyond ASCII the UTF-16 code units count: 0x65E5 = 26085 ≡ 485.
      {u"\u65E5", 485},
  };
  for (const BucketCase& test : cases) {
    EXPECT_EQ(CatalogueBucket(test.name), test.bucket);
  }
  // The product overflows 32 bits and must wrap, not saturate or widen.
  EXPECT_EQ(CatalogueHash(u"Nederlands"), 3801082478u);
}

TEST(Catalogue, WalksBucketsUpwardsNewestFirstWithinABucket) {
  LanguageCatalogueMap catalogue;
  for (const char16_t* name : {u"Deutsch", u"A", u"Italiano", u"English", u"AB", u""}) {
    FindOrAddLanguage(catalogue, name);
  }
  // Looking up a present name keeps its place.
  FindOrAddLanguage(catalogue, u"A").Key = u"a_A";
  EXPECT_EQ(NamesInWalkOrder(catalogue),
            (std::vector<std::u16string>{u"", u"AB", u"A", u"English", u"Italiano", u"Deutsch"}));
  EXPECT_EQ(catalogue.entries.size(), 6u);
  ASSERT_NE(FindLanguage(catalogue, u"A"), nullptr);
  EXPECT_EQ(FindLanguage(catalogue, u"A")->Key, u"a_A");
  EXPECT_EQ(FindLanguage(catalogue, u"english"), nullptr);
}

struct ChoiceCase {
  const char* what;
  std::u16string stored;
  std::vector<std::u16string> keys;
  std::u16string chosen;
};

TEST(Catalogue, CurrentLanguageIsTheStoredKeyOnlyWhenPresentExactly) {
  const ChoiceCase cases[] = {
      {"present", u"it_IT", {u"en_GB", u"it_IT"}, u"it_IT"},
      {"absent", u"de_DE", {u"en_GB", u"it_IT"}, u"en_GB"},
      {"other letter case", u"IT_it", {u"en_GB", u"it_IT"}, u"en_GB"},
      {"nothing stored", u"", {u"en_GB", u"it_IT"}, u"en_GB"},
      // The fall-back is not checked against the pack.
      {"empty pack", u"it_IT", {}, u"en_GB"},
      {"only others", u"fr_FR", {u"it_IT"}, u"en_GB"},
  };
  for (const ChoiceCase& test : cases) {
    SCOPED_TRACE(test.what);
    AppState.LanguageCatalogue = {};
    for (const std::u16string& key : test.keys) {
      FindOrAddLanguage(AppState.LanguageCatalogue, u"name of " + key).Key = key;
    }
    AppState.Language = test.stored;
    ChooseCurrentLanguage();
    EXPECT_EQ(AppState.Language, test.chosen);
  }
  AppState.LanguageCatalogue = {};
}

}  // namespace

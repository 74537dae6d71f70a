// Shared set-up of the tests that build language packs: a scratch folder and a clean slate of
// the language state.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "tests/lang/pack_fixtures.h"
#include "tests/settings/test_folder.h"

class LanguagePackTest : public testing::Test {
 protected:
  void SetUp() override { ResetLanguageState(); }
  void TearDown() override { ResetLanguageState(); }

  static void ResetLanguageState() {
    AppState.StringTable.clear();
    AppState.LanguageCatalogue = {};
    AppState.Language.clear();
  }

  // A pack named as the program's own, so that nothing depends on the name.
  std::string PackPath() const { return scratch_ / "Sumvane.lang"; }
  std::string Pack(PackKind kind, const std::vector<PackEntry>& entries) {
    EXPECT_TRUE(MakePack(kind, PackPath(), entries));
    return PackPath();
  }

  ScratchFolder scratch_;
};

struct WalkedLanguage {
  std::u16string name;
  std::u16string key;
  bool operator==(const WalkedLanguage&) const = default;
};
std::vector<WalkedLanguage> WalkedCatalogue();
void PrintTo(const WalkedLanguage& language, std::ostream* out);

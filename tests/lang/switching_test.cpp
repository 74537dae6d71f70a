// Switching languages from the Languages menu: every text follows at once, nothing else moves.
#include <gtest/gtest.h>

#include "dialogs/message_dialog.h"
#include "lang/loading.h"
#include "lang/string_table.h"
#include "lang/switching.h"
#include "tests/lang/pack_fixtures.h"
#include "tests/support/app_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

class SwitchingTest : public MainWindowTest {
 protected:
  // Starts as start-up does, with the pack in a folder of our own and `language` stored.
  void StartWith(const std::vector<PackEntry>& pack, const std::u16string& language) {
    ASSERT_TRUE(MakePack(PackKind::Folder, temp.path() + "Sumvane.lang", pack));
    AppState.ProgramFolder = temp.path();
    AppState.StringTable.clear();
    AppState.Language = language;
    BuildLanguageCatalogue();
    ChooseCurrentLanguage();
    LoadLanguageStrings(LanguagePackPath(), AppState.Language);
    UpdatePresetTexts();
    OpenFreshMainWindow();
  }
  // The menu item of the language with this display name; 0 when there is none.
  int ItemOf(const std::u16string& name) {
    for (int item : platform::MenuItems(MainWindow, 1)) {
      if (platform::MenuItemText(MainWindow, item) == name)
        return item;
    }
    return 0;
  }
  std::vector<int> CheckedItems() {
    std::vector<int> checked;
    for (int item : platform::MenuItems(MainWindow, 1)) {
      if (platform::IsMenuItemChecked(MainWindow, item))
        checked.push_back(item);
    }
    return checked;
  }
  std::vector<bool> EnabledStates() {
    std::vector<bool> states;
    for (int control = SourceFrame; control <= CalculateButton; ++control) {
      states.push_back(platform::IsControlEnabled(MainWindow, control));
    }
    for (int item = MenuOpen; item <= MenuWeb; ++item) {
      states.push_back(platform::IsMenuItemEnabled(MainWindow, item));
    }
    return states;
  }
  static std::string Texts(const char* hash, const char* calculate) {
    std::string body = "[Main]\r\ntMainCALCULATE = ";
    body += calculate;
    body += "\r\ntMainCANCEL = ";
    body += std::string(calculate) + " stop";
    body += "\r\ntMenuFILE = ";
    body += std::string(calculate) + " file";
    body += "\r\ntGenYES = ";
    body += std::string(calculate) + " yes";
    if (hash != nullptr)
      body += std::string("\r\ntMainHASH = ") + hash;
    return body + "\r\n";
  }

  TempFolder temp;
  const std::vector<PackEntry> pack = {
      {"en_GB.language", LanguageFile("English", Texts("Checksum", "Calculate"))},
      {"de_DE.language", LanguageFile("Deutsch", Texts("Prüfsumme", "Berechnen"))},
      {"xx_XX.language", LanguageFile("Lacking", Texts(nullptr, "Lack"))},
  };
};

TEST_F(SwitchingTest, StartsInTheStoredLanguageWithItsItemChecked) {
  StartWith(pack, u"de_DE");
  EXPECT_EQ(platform::ControlText(MainWindow, CalculateButton), u"Berechnen");
  EXPECT_EQ(CheckedItems(), std::vector<int>{ItemOf(u"Deutsch")});
  EXPECT_EQ(AppState.CurrentLanguageItem, ItemOf(u"Deutsch"));
}

TEST_F(SwitchingTest, ChoosingALanguageRelabelsEverythingAndMovesTheCheckMark) {
  StartWith(pack, u"de_DE");
  platform::SetControlEnabled(MainWindow, SaveButton, true);
  const std::vector<bool> before = EnabledStates();
  SwitchLanguage(ItemOf(u"English"));
  EXPECT_EQ(AppState.Language, u"en_GB");
  EXPECT_EQ(platform::ControlText(MainWindow, CalculateButton), u"Calculate");
  EXPECT_EQ(platform::MenuTitle(MainWindow, 0), u"Calculate file");
  EXPECT_EQ(platform::ListHeader(MainWindow, FileList, 1), u"Checksum");
  EXPECT_EQ(AppState.WarningPreset.Buttons, u"|Calculate yes");
  EXPECT_EQ(CheckedItems(), std::vector<int>{ItemOf(u"English")});
  EXPECT_EQ(EnabledStates(), before);
  EXPECT_EQ(platform::ControlText(MainWindow, Sha3Option), u"SHA3");
}

TEST_F(SwitchingTest, ChoosingTheCheckedLanguageDoesNotReloadIt) {
  StartWith(pack, u"de_DE");
  AppState.StringTable[u"tMainHASH"] = u"changed";
  SwitchLanguage(ItemOf(u"Deutsch"));
  EXPECT_EQ(LookupText(u"tMainHASH"), u"changed");
  EXPECT_EQ(CheckedItems(), std::vector<int>{ItemOf(u"Deutsch")});
}

TEST_F(SwitchingTest, LanguageLackingAKeyKeepsThePreviousText) {
  StartWith(pack, u"de_DE");
  SwitchLanguage(ItemOf(u"Lacking"));
  EXPECT_EQ(platform::ListHeader(MainWindow, FileList, 1), u"Prüfsumme");
  EXPECT_EQ(platform::ControlText(MainWindow, CalculateButton), u"Lack");
}

TEST_F(SwitchingTest, DuringAJobTheCalculateButtonShowsTheNewCancelText) {
  StartWith(pack, u"de_DE");
  AppState.JobRunning = 1;
  SwitchLanguage(ItemOf(u"English"));
  EXPECT_EQ(platform::ControlText(MainWindow, CalculateButton), u"Calculate stop");
  AppState.JobRunning = 0;
}

TEST_F(SwitchingTest, UnknownStoredLanguageChecksNoItemAndLoadsBritishEnglish) {
  StartWith(pack, u"fr_FR");
  EXPECT_EQ(AppState.Language, u"en_GB");
  EXPECT_EQ(CheckedItems(), std::vector<int>{ItemOf(u"English")});
  SwitchLanguage(ItemOf(u"Deutsch"));
  EXPECT_EQ(CheckedItems(), std::vector<int>{ItemOf(u"Deutsch")});
}

}  // namespace

// Loading one language's texts into the string table from a pack in either form.
#include <optional>

#include "lang/loading.h"
#include "lang/pack_archive.h"
#include "lang/string_table.h"
#include "tests/lang/pack_test_support.h"

namespace {

class LoadTexts : public LanguagePackTest, public testing::WithParamInterface<PackKind> {};

INSTANTIATE_TEST_SUITE_P(Forms, LoadTexts, testing::Values(PackKind::Folder, PackKind::Zip),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

struct TextCase {
  std::u16string key;
  std::optional<std::u16string> text;  // empty: the key is not in the table
};

TEST_P(LoadTexts, EveryGroupIsReadAndTheLastOccurrenceWins) {
  const std::string file = LanguageFile("English",
                                        "[Main]\r\n"
                                        "tMainCALCULATE = First\r\n"
                                        "tMainCALCULATE = Second\r\n"
                                        "tMainCANCEL = In Main\r\n"
                                        "tMainSAVE = Save\\nall  \r\n"
                                        "tMainDELETE =\t  Remove  \t\r\n"
                                        "tMainHASH =\r\n"
                                        "[Menu]\r\n"
                                        "tMainCANCEL = In Menu\r\n"
                                        "tmaincancel = lower case\r\n");
  // Entries before the first group header are no texts.
  const std::string ungrouped = "tMainFILENAME = ungrouped\r\n";
  LoadLanguageStrings(Pack(GetParam(), {{"en_GB.language", ungrouped + file}}), u"en_GB");

  const TextCase cases[] = {
      {u"tMainCALCULATE", u"Second"},
      {u"tMainCANCEL", u"In Menu"},
      {u"tmaincancel", u"lower case"},
      {u"tMainSAVE", u"Save\\nall"},  // the two characters stay as they are
      {u"tMainDELETE", u"Remove"},
      {u"tMainHASH", u""},
      {u"tLangFileNAME", u"English"},  // the header is loaded like any group
      {u"tLangFileLANGID", u"id of English"},
      {u"tMainFILENAME", std::nullopt},
  };
  for (const TextCase& test : cases) {
    const auto found = AppState.StringTable.find(test.key);
    EXPECT_EQ(found == AppState.StringTable.end() ? std::nullopt
                                                  : std::optional<std::u16string>(found->second),
              test.text)
        << std::string(test.key.begin(), test.key.end());
  }
}

TEST_P(LoadTexts, ASecondLanguageOnlyAddsAndReplaces) {
  const std::string pack =
      Pack(GetParam(), {
                           {"en_GB.language", LanguageFile("English",
                                                           "[Main]\r\n"
                                                           "tMainHASH = Checksum\r\n"
                                                           "tMainSAVE = Save\r\n")},
                           {"it_IT.language", LanguageFile("Italiano",
                                                           "[Main]\r\n"
                                                           "tMainSAVE = Salva\r\n"
                                                           "tMainDELETE = Rimuovi\r\n"
                                                           "tMainhash = Somma\r\n")},
                       });
  EXPECT_EQ(LookupText(u"tGenOK"), u"");  // looked up before any language: empty, and kept
  LoadLanguageStrings(pack, u"en_GB");
  LoadLanguageStrings(pack, u"it_IT");
  EXPECT_EQ(LookupText(u"tMainHASH"), u"Checksum");
  EXPECT_EQ(LookupText(u"tMainSAVE"), u"Salva");
  EXPECT_EQ(LookupText(u"tMainDELETE"), u"Rimuovi");
  EXPECT_EQ(LookupText(u"tLangFileNAME"), u"Italiano");
  EXPECT_EQ(AppState.StringTable.count(u"tGenOK"), 1u);

  // A language the pack lacks changes nothing.
  const auto before = AppState.StringTable;
  LoadLanguageStrings(pack, u"de_DE");
  LoadLanguageStrings(pack, u"IT_it");
  EXPECT_EQ(AppState.StringTable, before);
}

TEST_P(LoadTexts, LanguageKeyCannotReachOutsideThePack) {
  const std::string pack =
      Pack(GetParam(), {{"en_GB.language", LanguageFile("English", "[M]\r\nx = in pack\r\n")},
                        {"notes", "[M]\r\nx = not a language file\r\n"}});
  WriteBytes(scratch_ / "outside.language", LanguageFile("Outside", "[M]\r\nx = outside\r\n"));
  const std::u16string keys[] = {u"../outside", u"/../outside", u"./en_GB",
                                 std::u16string(u"notes\0", 6)};
  for (const std::u16string& key : keys)
    LoadLanguageStrings(pack, key);
  EXPECT_EQ(AppState.StringTable.count(u"x"), 0u);
}

struct SizeCase {
  PackKind kind;
  size_t bytes;
  bool read;
};

TEST_F(LanguagePackTest, LanguageFileLargerThanFourMebibytesIsIgnored) {
  const SizeCase cases[] = {
      {PackKind::Zip, pack::kMaxLanguageFileBytes, true},
      {PackKind::Zip, pack::kMaxLanguageFileBytes + 1, false},
      {PackKind::Folder, pack::kMaxLanguageFileBytes, true},
      {PackKind::Folder, pack::kMaxLanguageFileBytes + 1, false},
  };
  for (const SizeCase& test : cases) {
    SCOPED_TRACE(std::string(NameOf(test.kind)) + ", " + std::to_string(test.bytes) + " bytes");
    ResetLanguageState();
    std::string file = LanguageFile("Big", "[Main]\r\ntMainSAVE = Big\r\n; ");
    file.append(test.bytes - file.size(), 'x');
    ScratchFolder folder;
    const std::string pack = folder / "Sumvane.lang";
    ASSERT_TRUE(MakePack(test.kind, pack, {{"xx_XX.language", file}}));
    BuildLanguageCatalogue(pack);
    LoadLanguageStrings(pack, u"xx_XX");
    EXPECT_EQ(AppState.LanguageCatalogue.entries.size(), test.read ? 1u : 0u);
    EXPECT_EQ(AppState.StringTable.count(u"tMainSAVE"), test.read ? 1u : 0u);
  }
}

}  // namespace

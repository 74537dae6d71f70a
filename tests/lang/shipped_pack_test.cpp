// The language files that ship with the program and the ZIP pack the build makes of them.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>

#include "lang/loading.h"
#include "lang/text_keys.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/text.h"
#include "settings/keyed_text_file.h"
#include "tests/lang/pack_test_support.h"

namespace {

const std::map<std::u16string, std::u16string> kShippedLanguages = {
    {u"de_DE", u"Deutsch"}, {u"en_GB", u"English"},    {u"en_US", u"English (US)"},
    {u"es_ES", u"Español"}, {u"fr_FR", u"Français"},   {u"it_IT", u"Italiano"},
    {u"ja_JP", u"日本語"},  {u"nl_NL", u"Nederlands"}, {u"pt_BR", u"Português (Brasil)"},
    {u"ru_RU", u"Русский"},
};

template <typename Keys>
bool Contains(const Keys& keys, const std::u16string& key) {
  return std::find(std::begin(keys), std::end(keys), key) != std::end(keys);
}

std::string Narrow(const std::u16string& text) {
  return platform::Utf16ToUtf8(text);
}

std::vector<std::filesystem::path> ShippedLanguageFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(SUMVANE_SOURCE_PACK)) {
    if (entry.path().extension() == ".language")
      files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(ShippedLanguageFiles, EachDefinesEveryKeyOnceAndNothingElse) {
  const std::vector<std::filesystem::path> files = ShippedLanguageFiles();
  std::set<std::u16string> keysOfFiles;
  for (const auto& path : files)
    keysOfFiles.insert(platform::Utf8ToUtf16(path.stem().string()));
  std::set<std::u16string> expectedKeys;
  for (const auto& [key, name] : kShippedLanguages)
    expectedKeys.insert(key);
  EXPECT_EQ(keysOfFiles, expectedKeys);

  for (const auto& path : files) {
    SCOPED_TRACE(path.filename().string());
    const std::optional<std::string> bytes = platform::ReadWholeFile(path.string());
    ASSERT_TRUE(bytes);
    // Without the mark the file would be read as Latin-1 and every non-ASCII letter garbled.
    EXPECT_EQ(bytes->substr(0, 3), "\xEF\xBB\xBF");

    keyed::KeyedTextFile file;
    keyed::OpenFromBytes(file, *bytes);
    std::map<std::u16string, int> occurrences;
    std::map<std::u16string, std::u16string> texts;
    ASSERT_TRUE(keyed::RewindGroups(file));
    while (keyed::NextGroup(file)) {
      keyed::RewindKeys(file);
      while (keyed::NextKey(file)) {
        ++occurrences[keyed::CurrentKeyName(file)];
        texts[keyed::CurrentKeyName(file)] = keyed::CurrentKeyValue(file);
      }
    }
    for (const auto& [key, count] : occurrences) {
      EXPECT_EQ(count, 1) << Narrow(key) << " defined more than once";
      EXPECT_TRUE(Contains(kTextKeys, key) || Contains(kLanguageHeaderKeys, key))
          << Narrow(key) << " is no key the program looks up";
      if (texts[key].find(u"\\n") != std::u16string::npos) {
        EXPECT_TRUE(Contains(kMessageDialogKeys, key))
            << Narrow(key) << " would show backslash and n literally";
      }
    }
    for (const char16_t* key : kTextKeys) {
      EXPECT_FALSE(texts[key].empty()) << Narrow(key) << " missing or empty";
    }
    ASSERT_TRUE(keyed::SelectGroup(file, kLanguageFileGroup));
    for (const char16_t* key : kLanguageHeaderKeys) {
      EXPECT_FALSE(keyed::ReadText(file, key, u"").empty()) << Narrow(key) << " not in the header";
    }
    EXPECT_EQ(keyed::ReadText(file, u"tLangFileNAME", u""),
              kShippedLanguages.at(platform::Utf8ToUtf16(path.stem().string())));
  }
}

TEST(BuiltLanguagePack, HoldsEveryLanguageFileAndFlagAtItsRoot) {
  std::vector<std::string> expected;
  for (const auto& [key, name] : kShippedLanguages) {
    expected.push_back(Narrow(key) + ".flag");
    expected.push_back(Narrow(key) + ".language");
  }
  std::vector<std::string> names = ZipEntryNames(SUMVANE_BUILT_PACK);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, expected);
}

TEST_F(LanguagePackTest, BuiltPackGivesTheMenuOfTenLanguagesWithFlagsAndTexts) {
  BuildLanguageCatalogue(SUMVANE_BUILT_PACK);
  std::map<std::u16string, std::u16string> listed;
  for (const LanguageInfo* language : WalkLanguages(AppState.LanguageCatalogue)) {
    listed[language->Key] = language->Name;
    EXPECT_NE(language->Flag, -1) << Narrow(language->Key) << " without flag";
    EXPECT_EQ(platform::ImageSize(language->Flag), (platform::Size{32, 24}));
  }
  EXPECT_EQ(listed, kShippedLanguages);

  for (const auto& [key, name] : kShippedLanguages) {
    SCOPED_TRACE(Narrow(key));
    AppState.StringTable.clear();
    LoadLanguageStrings(SUMVANE_BUILT_PACK, key);
    for (const char16_t* textKey : kTextKeys) {
      EXPECT_FALSE(AppState.StringTable[textKey].empty()) << Narrow(textKey);
    }
    EXPECT_EQ(AppState.StringTable[u"tLangFileNAME"], name);
  }
}

}  // namespace

// Every text key written in the program's sources is in the one list the language files are
// checked against, so a key cannot be used without every language defining it.
TEST(TextKeys, EveryKeyTheSourcesLookUpIsListed) {
  std::set<std::u16string> listed(std::begin(kTextKeys), std::end(kTextKeys));
  listed.insert(std::begin(kLanguageHeaderKeys), std::end(kLanguageHeaderKeys));
  const std::regex keyLiteral(R"re(u"(t(Gen|Main|Menu|Req|Info|About|LangFile)[A-Z]+)")re");
  size_t found = 0;
  for (const char* folder : {"app", "checksum", "dialogs", "lang", "settings"}) {
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(SUMVANE_SOURCE_ROOT) + "/" + folder)) {
      const std::string extension = entry.path().extension().string();
      if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h"))
        continue;
      std::ifstream in(entry.path());
      const std::string text((std::istreambuf_iterator<char>(in)), {});
      for (std::sregex_iterator it(text.begin(), text.end(), keyLiteral), end; it != end; ++it) {
        const std::string key = (*it)[1];
        ++found;
        EXPECT_TRUE(listed.count(std::u16string(key.begin(), key.end())))
            << key << " in " << entry.path();
      }
    }
  }
  EXPECT_GT(found, 40u);  // the scan itself works
}

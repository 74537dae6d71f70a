// Building the catalogue from a language pack in either form: which files count as languages,
// their order, duplicate names, flags, and packs that cannot be read.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <ostream>

#include "lang/loading.h"
#include "lang/pack_archive.h"
#include "platform/gui.h"
#include "platform/png.h"
#include "platform/text.h"
#include "tests/lang/pack_test_support.h"

std::vector<WalkedLanguage> WalkedCatalogue() {
  std::vector<WalkedLanguage> walked;
  for (const LanguageInfo* language : WalkLanguages(AppState.LanguageCatalogue)) {
    walked.push_back({language->Name, language->Key});
  }
  return walked;
}

void PrintTo(const WalkedLanguage& language, std::ostream* out) {
  *out << platform::Utf16ToUtf8(language.name) << " (" << platform::Utf16ToUtf8(language.key)
       << ")";
}

namespace {

class PackCatalogue : public LanguagePackTest, public testing::WithParamInterface<PackKind> {};

INSTANTIATE_TEST_SUITE_P(Forms, PackCatalogue, testing::Values(PackKind::Folder, PackKind::Zip),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

TEST_P(PackCatalogue, ListsLanguagesInHashOrderWithTheirHeaders) {
  BuildLanguageCatalogue(Pack(GetParam(), {
                                              {"de_DE.language", LanguageFile("Deutsch")},
                                              {"en_GB.language", LanguageFile("English")},
                                              {"it_IT.language", LanguageFile("Italiano")},
                                              {"README.md", "not a language"},
                                          }));
  EXPECT_EQ(WalkedCatalogue(),
            (std::vector<WalkedLanguage>{
                {u"English", u"en_GB"}, {u"Italiano", u"it_IT"}, {u"Deutsch", u"de_DE"}}));
  const LanguageInfo* english = FindLanguage(AppState.LanguageCatalogue, u"English");
  ASSERT_NE(english, nullptr);
  EXPECT_EQ(english->Version, u"1.0");
  EXPECT_EQ(english->Date, u"date of English");
  EXPECT_EQ(english->Author, u"author of English");
  EXPECT_EQ(english->LangId, u"id of English");
  EXPECT_EQ(english->Software, u"Sumvane");
  EXPECT_EQ(english->Flag, -1);
}

TEST_P(PackCatalogue, FilesWithoutANameShareTheEmptyEntryAtTheTopOfTheMenu) {
  // The folder is listed by name, the archive walked in its own order: the file read last
  // gives the shared entry its key.
  const bool zip = GetParam() == PackKind::Zip;
  BuildLanguageCatalogue(Pack(GetParam(), {
                                              {"b_B.language", LanguageFile(nullptr)},
                                              {"a_A.language", "[Other]\r\nx = y\r\n"},
                                              {"en_GB.language", LanguageFile("English")},
                                          }));
  EXPECT_EQ(WalkedCatalogue(),
            (std::vector<WalkedLanguage>{{u"", zip ? u"a_A" : u"b_B"}, {u"English", u"en_GB"}}));
}

TEST_P(PackCatalogue, DuplicateDisplayNameBelongsToTheFileReadLast) {
  const bool zip = GetParam() == PackKind::Zip;
  BuildLanguageCatalogue(Pack(GetParam(), {
                                              {"b_B.language", LanguageFile("English", "", "2")},
                                              {"a_A.language", LanguageFile("English", "", "1")},
                                          }));
  ASSERT_EQ(WalkedCatalogue(), (std::vector<WalkedLanguage>{{u"English", zip ? u"a_A" : u"b_B"}}));
  EXPECT_EQ(AppState.LanguageCatalogue.entries[0].Version, zip ? u"1" : u"2");
}

TEST_P(PackCatalogue, CapitalisedExtensionIsALanguageOnlyInAFolder) {
  const bool folder = GetParam() == PackKind::Folder;
  BuildLanguageCatalogue(
      Pack(GetParam(), {
                           {"X_X.LANGUAGE", LanguageFile("Upper", "[Main]\r\ntMainSAVE = Up\r\n")},
                           {"y_Y.Language", LanguageFile("Mixed")},
                           {"z_Z.language", LanguageFile("Lower")},
                           {"w_W.language.txt", LanguageFile("Suffixed")},
                           {"v_V.lang uage", LanguageFile("Blank")},
                       }));
  std::vector<WalkedLanguage> expected = {{u"Lower", u"z_Z"}};
  if (folder)
    expected = {{u"Upper", u"X_X"}, {u"Mixed", u"y_Y"}, {u"Lower", u"z_Z"}};
  EXPECT_EQ(WalkedCatalogue(), expected);

  // What the folder lists must load as well, although the exact name is not there.
  LoadLanguageStrings(PackPath(), u"X_X");
  EXPECT_EQ(AppState.StringTable[u"tMainSAVE"], folder ? u"Up" : u"");
}

TEST_F(LanguagePackTest, ZipEntriesOutsideTheRootGiveNeitherLanguagesNorTexts) {
  const std::string texts = "[Main]\r\ntMainSAVE = Leaked\r\n";
  BuildLanguageCatalogue(
      Pack(PackKind::Zip, {
                              {"sub/", "", EntryKind::Folder},
                              {"sub/en_GB.language", LanguageFile("Sub", texts)},
                              {"sub\\it_IT.language", LanguageFile("Back", texts)},
                              {"../de_DE.language", LanguageFile("Up", texts)},
                              {"/fr_FR.language", LanguageFile("Abs", texts)},
                              {"a..b.language", LanguageFile("Dots", texts)},
                              {"dir.language/", "", EntryKind::Folder},
                              {"nl_NL.language", "en_GB.language", EntryKind::Link},
                              {"ok_OK.language", LanguageFile("Root")},
                          }));
  // Sanity: the archive really holds those names.
  EXPECT_EQ(ZipEntryNames(PackPath()).size(), 9u);
  EXPECT_EQ(WalkedCatalogue(), (std::vector<WalkedLanguage>{{u"Root", u"ok_OK"}}));
  for (const char16_t* key : {u"en_GB", u"sub/en_GB", u"it_IT", u"sub\\it_IT", u"../de_DE",
                              u"/fr_FR", u"a..b", u"nl_NL"}) {
    LoadLanguageStrings(PackPath(), key);
  }
  EXPECT_EQ(AppState.StringTable.count(u"tMainSAVE"), 0u);
}

// Flags ---------------------------------------------------------------------------------------

struct FlagCase {
  const char* what;
  PackKind kind;
  std::string flag;  // bytes of en_GB.flag; empty: an empty file
  bool shown;
  platform::Size size;
};

TEST_F(LanguagePackTest, FlagsDecodeWithinTheirLimits) {
  // libpng needs the whole image data chunk, its checksum included, and nothing after it.
  const std::string fitsWhenCut = PngWithImageDataEndingAt(16000, 20000);
  const std::string brokenWhenCut = PngWithImageDataEndingAt(16001, 20000);
  ASSERT_TRUE(platform::PngDimensions(reinterpret_cast<const unsigned char*>(fitsWhenCut.data()),
                                      16000, 1024));
  ASSERT_FALSE(platform::PngDimensions(reinterpret_cast<const unsigned char*>(brokenWhenCut.data()),
                                       16000, 1024));
  ASSERT_TRUE(platform::PngDimensions(reinterpret_cast<const unsigned char*>(brokenWhenCut.data()),
                                      20000, 1024));
  std::string corrupt = PngImage(32, 24);
  corrupt[corrupt.size() - 20] ^= 0x10;

  const FlagCase cases[] = {
      {"plain", PackKind::Folder, PngImage(32, 24), true, {32, 24}},
      {"plain", PackKind::Zip, PngImage(32, 24), true, {32, 24}},
      {"20000 bytes, image within 16000", PackKind::Zip, fitsWhenCut, true, {40, 30}},
      {"20000 bytes, image within 16000", PackKind::Folder, fitsWhenCut, true, {40, 30}},
      {"20000 bytes, image beyond 16000", PackKind::Zip, brokenWhenCut, false, {}},
      {"20000 bytes, image beyond 16000", PackKind::Folder, brokenWhenCut, true, {40, 30}},
      {"1024 wide", PackKind::Zip, PngImage(1024, 2), true, {1024, 2}},
      {"1025 wide", PackKind::Folder, PngImage(1025, 2), false, {}},
      {"1025 high", PackKind::Zip, PngImage(2, 1025), false, {}},
      {"corrupt", PackKind::Folder, corrupt, false, {}},
      {"corrupt", PackKind::Zip, corrupt, false, {}},
      {"not a PNG", PackKind::Zip, "GIF89a", false, {}},
      {"empty", PackKind::Folder, "", false, {}},
      {"empty", PackKind::Zip, "", false, {}},
  };
  for (const FlagCase& test : cases) {
    SCOPED_TRACE(std::string(test.what) + " in a " + NameOf(test.kind));
    ScratchFolder folder;
    const std::string pack = folder / "Sumvane.lang";
    ASSERT_TRUE(MakePack(test.kind, pack,
                         {{"de_DE.language", LanguageFile("Deutsch")},
                          {"en_GB.language", LanguageFile("English")},
                          {"en_GB.flag", test.flag}}));
    BuildLanguageCatalogue(pack);
    const LanguageInfo* english = FindLanguage(AppState.LanguageCatalogue, u"English");
    const LanguageInfo* german = FindLanguage(AppState.LanguageCatalogue, u"Deutsch");
    ASSERT_TRUE(english != nullptr && german != nullptr);
    EXPECT_EQ(german->Flag, -1) << "a language without a flag file";
    if (!test.shown) {
      EXPECT_EQ(english->Flag, -1);
      continue;
    }
    ASSERT_GE(english->Flag, kFirstFlagImage);
    EXPECT_TRUE(platform::HasImage(english->Flag));
    EXPECT_EQ(platform::ImageSize(english->Flag), test.size);
  }
}

TEST_F(LanguagePackTest, ZipFlagIsTheFirstEntryOfItsNameAtTheRoot) {
  BuildLanguageCatalogue(Pack(PackKind::Zip, {
                                                 {"en_GB.language", LanguageFile("English")},
                                                 {"sub/en_GB.flag", PngImage(8, 8)},
                                                 {"en_GB.flag", PngImage(16, 12)},
                                                 {"en_GB.flag", PngImage(20, 10)},
                                             }));
  ASSERT_EQ(AppState.LanguageCatalogue.entries.size(), 1u);
  const int flag = AppState.LanguageCatalogue.entries[0].Flag;
  ASSERT_NE(flag, -1);
  EXPECT_EQ(platform::ImageSize(flag), (platform::Size{16, 12}));
}

// Packs that give nothing ---------------------------------------------------------------------

struct UnusablePackCase {
  const char* what;
  void (*make)(const std::string& path);
};

void WriteText(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// A ZIP archive of one language file whose comment does not compress, so that its data takes
// up most of the archive.
std::string SmallZip(const std::string& scratchPath) {
  std::string noise = "; ";
  uint32_t state = 1;
  for (int i = 0; i < 3000; ++i) {
    state = state * 1103515245u + 12345u;
    noise.push_back(static_cast<char>('!' + (state >> 16) % 90));
  }
  EXPECT_TRUE(WriteZip(scratchPath, {{"en_GB.language", LanguageFile("English", noise)}}));
  std::FILE* file = std::fopen(scratchPath.c_str(), "rb");
  std::string bytes(100000, '\0');
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  EXPECT_GT(bytes.size(), 2000u);
  return bytes;
}

TEST_F(LanguagePackTest, UnreadablePackGivesNoLanguagesAndNoTexts) {
  const UnusablePackCase cases[] = {
      {"missing", [](const std::string&) {}},
      {"empty file", [](const std::string& path) { WriteText(path, ""); }},
      {"not a ZIP archive",
       [](const std::string& path) { WriteText(path, LanguageFile("Plain")); }},
      {"ZIP cut inside its first entry",
       [](const std::string& path) { WriteText(path, SmallZip(path).substr(0, 200)); }},
      {"ZIP without its first bytes",
       [](const std::string& path) { WriteText(path, SmallZip(path).substr(1)); }},
      {"FIFO", [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }},
  };
  for (const UnusablePackCase& test : cases) {
    SCOPED_TRACE(test.what);
    ScratchFolder folder;
    const std::string pack = folder / "Sumvane.lang";
    test.make(pack);
    AppState.StringTable = {{u"tMainSAVE", u"kept"}};
    // A pack that blocked would hang start-up; the guard opens the other end of a FIFO to free
    // a stuck reader, so that the failure is reported rather than waited for.
    auto build = std::async(std::launch::async, [&] {
      BuildLanguageCatalogue(pack);
      LoadLanguageStrings(pack, u"en_GB");
    });
    if (build.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
      ADD_FAILURE() << "reading the pack blocked";
      const int writer = open(pack.c_str(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0)
        close(writer);
    }
    build.wait();
    EXPECT_TRUE(AppState.LanguageCatalogue.entries.empty());
    EXPECT_EQ(AppState.StringTable,
              (std::unordered_map<std::u16string, std::u16string>{{u"tMainSAVE", u"kept"}}));
  }
}

TEST_F(LanguagePackTest, StoredLanguageMissingFromThePackFallsBackToBritishEnglish) {
  BuildLanguageCatalogue(Pack(PackKind::Zip, {
                                                 {"en_GB.language", LanguageFile("English")},
                                                 {"it_IT.language", LanguageFile("Italiano")},
                                             }));
  for (const char16_t* stored : {u"de_DE", u"it_it"}) {
    AppState.Language = stored;
    ChooseCurrentLanguage();
    EXPECT_EQ(AppState.Language, u"en_GB");
  }
  AppState.Language = u"it_IT";
  ChooseCurrentLanguage();
  EXPECT_EQ(AppState.Language, u"it_IT");
}

}  // namespace

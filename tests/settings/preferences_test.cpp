#include "settings/preferences.h"
#include "tests/support/app_fixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "platform/files.h"
#include "test_folder.h"

namespace {

constexpr const char* kEnvironmentNames[] = {"HOME", "XDG_CONFIG_HOME", "LC_ALL", "LC_MESSAGES",
                                             "LANG"};

// The file written for the initial settings with the language en_GB.
constexpr char kDefaultFileForEnGb[] =
    "\xEF\xBB\xBF\r\n"
    "; Sumvane Preferences\r\n"
    "[Language]\r\n"
    "Language = en_GB\r\n"
    "[General]\r\n"
    "Fingerprint = 0\r\n"
    "Bits = 0\r\n"
    "[Window]\r\n"
    "WindowWidth = 840\r\n"
    "WindowHeight = 600\r\n";


void SetEnvironment(const char* name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

bool Exists(const std::string& path) {
  return platform::KindOfPath(path) != platform::PathKind::Missing;
}

// A program folder and a home folder of their own; the locale is German unless a test says
// otherwise.
class Preferences : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kEnvironmentNames) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
    char* cwd = getcwd(nullptr, 0);
    workingFolder_ = cwd;
    free(cwd);

    ASSERT_EQ(mkdir(programFolder().c_str(), 0755), 0);
    ASSERT_EQ(mkdir(home().c_str(), 0755), 0);
    platform::SetProgramFolderForTests(programFolder());
    SetEnvironment("HOME", home());
    SetEnvironment("XDG_CONFIG_HOME", std::nullopt);
    SetEnvironment("LC_ALL", "");
    SetEnvironment("LC_MESSAGES", std::nullopt);
    SetEnvironment("LANG", "de_DE.UTF-8");
    ResetAppState();
  }

  void TearDown() override {
    for (size_t i = 0; i < saved_.size(); ++i)
      SetEnvironment(kEnvironmentNames[i], saved_[i]);
    platform::SetProgramFolderForTests("");
    ASSERT_EQ(chdir(workingFolder_.c_str()), 0);
    ResetAppState();
  }

  std::string programFolder() const { return root_ / "program/"; }
  std::string home() const { return root_ / "home"; }
  std::string perUserFolder() const { return home() + "/.config/Morvandel/Sumvane/"; }
  void WritePerUserFile(const std::string& bytes) const {
    platform::CreateFolders(perUserFolder());
    WriteBytes(perUserFolder() + "Sumvane.prefs", bytes);
  }

  ScratchFolder root_;

 private:
  std::vector<std::optional<std::string>> saved_;
  std::string workingFolder_;
};

TEST_F(Preferences, FileBesideTheProgramWinsAndNoPerUserFolderIsMade) {
  WriteBytes(programFolder() + "Sumvane.prefs",
             "[General]\nFingerprint = 3\n[Window]\nWindowWidth = 1000\n");
  LocatePreferences();
  EXPECT_EQ(AppState.ProgramFolder, programFolder());
  EXPECT_EQ(AppState.PrefsFolder, perUserFolder());
  EXPECT_EQ(AppState.PrefsHome, programFolder());
  EXPECT_EQ(AppState.Algorithm, 3);
  EXPECT_EQ(AppState.WindowWidth, 1000);
  EXPECT_EQ(AppState.WindowHeight, 600);
  EXPECT_EQ(AppState.Language, u"");  // not guessed for a file beside the program

  AppState.Language = u"en_GB";
  ASSERT_TRUE(SavePreferences());
  EXPECT_FALSE(Exists(home() + "/.config"));
  EXPECT_EQ(ReadBytes(programFolder() + "Sumvane.prefs"),
            "\xEF\xBB\xBF\r\n; Sumvane Preferences\r\n[Language]\r\nLanguage = en_GB\r\n"
            "[General]\r\nFingerprint = 3\r\nBits = 0\r\n"
            "[Window]\r\nWindowWidth = 1000\r\nWindowHeight = 600\r\n");
}

TEST_F(Preferences, FileBesideTheProgramWinsOverThePerUserFile) {
  WriteBytes(programFolder() + "Sumvane.prefs", "[General]\nFingerprint = 1\n");
  WritePerUserFile("[Language]\nLanguage = fr_FR\n[General]\nFingerprint = 2\n");
  LocatePreferences();
  EXPECT_EQ(AppState.PrefsHome, programFolder());
  EXPECT_EQ(AppState.Algorithm, 1);
  EXPECT_EQ(AppState.Language, u"");
}

TEST_F(Preferences, NoFileAnywhereMakesThePerUserFolderAndWritesThere) {
  SetEnvironment("LANG", "en_GB.UTF-8");
  LocatePreferences();
  EXPECT_EQ(AppState.PrefsHome, perUserFolder());
  EXPECT_EQ(platform::KindOfPath(perUserFolder()), platform::PathKind::Folder);
  EXPECT_FALSE(Exists(perUserFolder() + "Sumvane.prefs"));  // only written at exit
  EXPECT_EQ(AppState.Language, u"en_GB");

  ASSERT_TRUE(SavePreferences());
  EXPECT_EQ(ReadBytes(perUserFolder() + "Sumvane.prefs"), kDefaultFileForEnGb);
  EXPECT_FALSE(Exists(programFolder() + "Sumvane.prefs"));
  EXPECT_EQ(NamesIn(perUserFolder()), std::vector<std::string>{"Sumvane.prefs"});
}

TEST_F(Preferences, EmptyLanguageIsGuessedOnlyForThePerUserFile) {
  const std::string file = "[Language]\nLanguage =\n[General]\nBits = 2\n";
  WritePerUserFile(file);
  LocatePreferences();
  EXPECT_EQ(AppState.PrefsHome, perUserFolder());
  EXPECT_EQ(AppState.Language, u"de_DE");
  EXPECT_EQ(AppState.Bits, 2);

  ResetAppState();
  WriteBytes(programFolder() + "Sumvane.prefs", file);
  LocatePreferences();
  EXPECT_EQ(AppState.PrefsHome, programFolder());
  EXPECT_EQ(AppState.Language, u"");
  EXPECT_EQ(AppState.Bits, 2);
}

TEST_F(Preferences, FileWithOnlyTheWindowGroupKeepsOtherDefaults) {
  WritePerUserFile("[window]\r\nwindowwidth = 1024\r\nWINDOWHEIGHT=700\r\n");
  AppState.Algorithm = 4;  // what the file does not name takes its initial value
  AppState.Bits = 3;
  LocatePreferences();
  EXPECT_EQ(AppState.Algorithm, 0);
  EXPECT_EQ(AppState.Bits, 0);
  EXPECT_EQ(AppState.WindowWidth, 1024);
  EXPECT_EQ(AppState.WindowHeight, 700);
  EXPECT_EQ(AppState.Language, u"de_DE");
}

TEST_F(Preferences, XdgConfigHomeComesBeforeHome) {
  SetEnvironment("XDG_CONFIG_HOME", root_ / "config");
  LocatePreferences();
  EXPECT_EQ(AppState.PrefsFolder, root_ / "config/Morvandel/Sumvane/");
  EXPECT_EQ(AppState.PrefsHome, AppState.PrefsFolder);
  EXPECT_EQ(platform::KindOfPath(AppState.PrefsFolder), platform::PathKind::Folder);
  EXPECT_FALSE(Exists(home() + "/.config"));
}

TEST_F(Preferences, WithoutHomeTheWorkingFolderHoldsTheFile) {
  SetEnvironment("HOME", std::nullopt);
  ASSERT_EQ(mkdir((root_ / "work").c_str(), 0755), 0);
  ASSERT_EQ(chdir((root_ / "work").c_str()), 0);
  WriteBytes(root_ / "work/Sumvane.prefs", "[General]\nFingerprint = 2\n");
  LocatePreferences();
  EXPECT_EQ(AppState.PrefsFolder, "");
  EXPECT_EQ(AppState.PrefsHome, "");
  EXPECT_EQ(AppState.Algorithm, 2);
  AppState.Algorithm = 1;
  ASSERT_TRUE(SavePreferences());
  ResetAppState();
  ASSERT_TRUE(LoadPreferences(root_ / "work/"));
  EXPECT_EQ(AppState.Algorithm, 1);
}

TEST_F(Preferences, EverySettingSurvivesSaveAndLoad) {
  struct Settings {
    std::u16string language;
    int64_t algorithm, bits, width, height;
  };
  const Settings rows[] = {
      {u"en_US", 1, 0, 800, 500}, {u"sr_Latn_RS", 3, 1, 1024, 768},
      {u"fr_FR", 3, 2, 1, 1},     {u"\u00E9l\u00E8ve", 4, 3, -5, INT64_MAX},
      {u"", 9, -1, INT64_MIN, 0},  // out-of-range choices are written back as they are
  };
  AppState.PrefsHome = programFolder();
  for (const Settings& row : rows) {
    AppState.Language = row.language;
    AppState.Algorithm = row.algorithm;
    AppState.Bits = row.bits;
    AppState.WindowWidth = row.width;
    AppState.WindowHeight = row.height;
    ASSERT_TRUE(SavePreferences());
    ResetAppState();
    ASSERT_TRUE(LoadPreferences(programFolder()));
    EXPECT_EQ(AppState.Language, row.language);
    EXPECT_EQ(AppState.Algorithm, row.algorithm);
    EXPECT_EQ(AppState.Bits, row.bits);
    EXPECT_EQ(AppState.WindowWidth, row.width);
    EXPECT_EQ(AppState.WindowHeight, row.height);
    AppState.PrefsHome = programFolder();
  }
}

TEST_F(Preferences, MissingFileLeavesAppStateUntouched) {
  AppState.Algorithm = 4;
  AppState.Language = u"nl_NL";
  EXPECT_FALSE(LoadPreferences(root_ / "nowhere/"));
  EXPECT_EQ(AppState.Algorithm, 4);
  EXPECT_EQ(AppState.Language, u"nl_NL");
}

TEST_F(Preferences, SaveReportsAFolderThatCannotBeWritten) {
  AppState.PrefsHome = root_ / "nowhere/";
  EXPECT_FALSE(SavePreferences());
  EXPECT_FALSE(Exists(root_ / "nowhere"));
}

// A locale value is outside the program's control; a line break in it must not smuggle entries
// into the file.
TEST_F(Preferences, LanguageWithALineBreakCannotAddSettings) {
  SetEnvironment("LANG", "xx\r\n[General]\r\nFingerprint = 4");
  LocatePreferences();
  ASSERT_TRUE(SavePreferences());
  ResetAppState();
  ASSERT_TRUE(LoadPreferences(perUserFolder()));
  EXPECT_EQ(AppState.Algorithm, 0);
  EXPECT_EQ(AppState.Language, u"");
}

TEST(PreferencesLocale, LanguageKeyFollowsTheLocaleVariables) {
  struct Row {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    std::u16string key;
  };
  const Row rows[] = {
      {"", "", "de_DE.UTF-8", u"de_DE"},
      {"", "", "sr_RS@latin", u"sr_RS"},
      {"", "", "de_DE.UTF-8@euro", u"de_DE"},
      {"", "", "sr-Latn-RS", u"sr_Latn_RS"},
      {"", "", "en_US", u"en_US"},
      {"", "fr_FR.UTF-8", "de_DE.UTF-8", u"fr_FR"},
      {"it_IT", "fr_FR", "de_DE", u"it_IT"},
      {"", "", "", u"en_GB"},
      {"", "", "C", u"en_GB"},
      {"", "", "C.UTF-8", u"en_GB"},
      {"", "", "POSIX", u"en_GB"},
      {"C", "", "de_DE.UTF-8", u"en_GB"},  // LC_ALL overrides, even when it says "no language"
      {"", "", ".UTF-8", u"en_GB"},
      {"", "", "pt_BR.ISO-8859-1", u"pt_BR"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.lcAll) + "|" + row.lcMessages + "|" + row.lang);
    EXPECT_EQ(LanguageKeyFromLocale(row.lcAll, row.lcMessages, row.lang), row.key);
  }
}

TEST(PreferencesLocale, PerUserFolderFollowsXdgConfigHomeThenHome) {
  struct Row {
    const char* xdg;
    const char* home;
    const char* folder;
  };
  const Row rows[] = {
      {"/x/config", "/home/u", "/x/config/Morvandel/Sumvane/"},
      {"/x/config/", "/home/u", "/x/config/Morvandel/Sumvane/"},
      {"", "/home/u", "/home/u/.config/Morvandel/Sumvane/"},
      {"", "/home/u/", "/home/u/.config/Morvandel/Sumvane/"},
      {"relative/config", "/home/u", "/home/u/.config/Morvandel/Sumvane/"},
      {"/x/config", "", "/x/config/Morvandel/Sumvane/"},
      {"", "/", "/.config/Morvandel/Sumvane/"},
      {"", "", ""},
      {"relative/config", "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.xdg) + "|" + row.home);
    EXPECT_EQ(PerUserPrefsFolder(row.xdg, row.home), row.folder);
  }
}

}  // namespace

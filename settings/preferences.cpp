#include "settings/preferences.h"

#include <cstdint>
#include <string_view>

#include "app/app_state.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/keyed_text_file.h"

namespace {

constexpr char16_t kLanguageGroup[] = u"Language";
constexpr char16_t kLanguageKey[] = u"Language";
constexpr char16_t kFallbackLanguage[] = u"en_GB";
constexpr char kPerUserSubfolder[] = "/" SUMVANE_COMPANY_TEXT "/" SUMVANE_NAME_TEXT "/";
constexpr char kComment[] = SUMVANE_NAME_TEXT " Preferences";

struct NumberSetting {
  const char16_t* group;
  const char16_t* key;
  int64_t AppStateRecord::*field;
};

// In the order they are written; keys of one group stay together.
constexpr NumberSetting kNumberSettings[] = {
    {u"General", u"Fingerprint", &AppStateRecord::Algorithm},
    {u"General", u"Bits", &AppStateRecord::Bits},
    {u"Window", u"WindowWidth", &AppStateRecord::WindowWidth},
    {u"Window", u"WindowHeight", &AppStateRecord::WindowHeight},
};

// The initial values of AppState are the defaults of every setting.
const AppStateRecord& InitialState() {
  static const AppStateRecord initial;
  return initial;
}

std::string PathInFolder(const std::string& folder) {
  return folder + kPreferencesFileName;
}

}  // namespace

bool LoadPreferences(const std::string& folder) {
  keyed::KeyedTextFile file;
  if (!keyed::Open(file, PathInFolder(folder)))
    return false;
  keyed::SelectGroup(file, kLanguageGroup);
  AppState.Language = keyed::ReadText(file, kLanguageKey, InitialState().Language);
  for (const NumberSetting& setting : kNumberSettings) {
    keyed::SelectGroup(file, setting.group);
    AppState.*setting.field = keyed::ReadNumber(file, setting.key, InitialState().*setting.field);
  }
  keyed::Close(file);
  return true;
}

std::string PerUserPrefsFolder(const std::string& xdgConfigHome, const std::string& home) {
  const auto withoutTrailingSeparators = [](std::string path) {
    while (!path.empty() && path.back() == platform::kPathSeparator)
      path.pop_back();
    return path;
  };
  // A relative $XDG_CONFIG_HOME is invalid and ignored, so the folder never depends on where
  // the program was started.
  if (!xdgConfigHome.empty() && xdgConfigHome.front() == platform::kPathSeparator) {
    return withoutTrailingSeparators(xdgConfigHome) + kPerUserSubfolder;
  }
  if (!home.empty())
    return withoutTrailingSeparators(home) + "/.config" + kPerUserSubfolder;
  return {};
}

std::u16string LanguageKeyFromLocale(const std::string& lcAll, const std::string& lcMessages,
                                     const std::string& lang) {
  // The first one set decides, as it does for the C library: LC_ALL=C means no language even
  // when LANG names one.
  std::string_view locale;
  for (const std::string* value : {&lcAll, &lcMessages, &lang}) {
    if (!value->empty()) {
      locale = *value;
      break;
    }
  }
  locale = locale.substr(0, locale.find_first_of(".@"));
  if (locale.empty() || locale == "C" || locale == "POSIX")
    return kFallbackLanguage;
  std::string key(locale);
  for (char& c : key) {
    if (c == '-')
      c = '_';
  }
  return platform::Utf8ToUtf16(key);
}

void LocatePreferences() {
  AppState.ProgramFolder = platform::ProgramFolder();
  AppState.PrefsFolder = PerUserPrefsFolder(platform::EnvironmentValue("XDG_CONFIG_HOME"),
                                            platform::EnvironmentValue("HOME"));
  AppState.PrefsHome = AppState.ProgramFolder;
  // A file beside the program wins, and then it is taken as it is: no per-user folder, no
  // guessed language. An unknown program folder has no file beside it (an empty folder would
  // mean the working folder).
  if (!AppState.ProgramFolder.empty() && LoadPreferences(AppState.ProgramFolder))
    return;

  if (!AppState.PrefsFolder.empty() &&
      platform::KindOfPath(AppState.PrefsFolder) == platform::PathKind::Missing) {
    platform::CreateFolders(AppState.PrefsFolder);
  }
  LoadPreferences(AppState.PrefsFolder);
  AppState.PrefsHome = AppState.PrefsFolder;
  if (AppState.Language.empty()) {
    AppState.Language = LanguageKeyFromLocale(platform::EnvironmentValue("LC_ALL"),
                                              platform::EnvironmentValue("LC_MESSAGES"),
                                              platform::EnvironmentValue("LANG"));
  }
}

bool SavePreferences() {
  keyed::KeyedTextFile file;
  if (!keyed::Create(file, PathInFolder(AppState.PrefsHome)))
    return false;
  keyed::WriteComment(file, platform::AsciiToUtf16(kComment));
  keyed::SelectGroup(file, kLanguageGroup);
  keyed::WriteText(file, kLanguageKey, AppState.Language);
  for (const NumberSetting& setting : kNumberSettings) {
    keyed::SelectGroup(file, setting.group);
    keyed::WriteNumber(file, setting.key, AppState.*setting.field);
  }
  return keyed::Close(file);
}

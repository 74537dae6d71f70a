// The preferences file: where it lives, reading it into AppState at start-up and writing it back
// at exit. A file beside the program wins; otherwise the per-user folder is used.
#pragma once

#include <string>

// The file name, beside the program or in the per-user folder.
inline constexpr char kPreferencesFileName[] = SUMVANE_NAME_TEXT ".prefs";

// Reads folder + kPreferencesFileName into the persisted fields of AppState, each missing value
// taking its initial value. False when the file cannot be read; AppState is then untouched.
// An empty folder means the working folder.
bool LoadPreferences(const std::string& folder);

// The start-up step: fills AppState's ProgramFolder, PrefsFolder and PrefsHome and the persisted
// fields, creating the per-user folder when no file is beside the program, and guesses a
// language from the locale when the per-user file names none.
void LocatePreferences();

// The exit step: writes AppState's persisted fields to PrefsHome + kPreferencesFileName,
// replacing the file as a whole. False when it could not be written (the old file stays).
bool SavePreferences();

// The per-user folder, with its trailing separator, for the given $XDG_CONFIG_HOME and $HOME
// values; empty when neither names a folder.
std::string PerUserPrefsFolder(const std::string& xdgConfigHome, const std::string& home);

// The language key for the given LC_ALL, LC_MESSAGES and LANG values: the first that is set,
// without ".encoding" and "@modifier", "-" turned into "_"; "en_GB" when none is set or it is
// the "C" or "POSIX" locale.
std::u16string LanguageKeyFromLocale(const std::string& lcAll, const std::string& lcMessages,
                                     const std::string& lang);

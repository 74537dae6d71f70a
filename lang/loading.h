// The language pack: finding its languages and loading one language's texts.
#pragma once

#include <string>

// Flags are kept as images from this number on (plus the catalogue entry's index), clear of the
// built-in images.
constexpr int kFirstFlagImage = 1000;
// A flag larger than this either way is not shown.
constexpr int kMaxFlagSide = 1024;

// "Sumvane.lang" in the program folder.
std::string LanguagePackPath();

// Rebuilds AppState.LanguageCatalogue from the pack at `packPath`, flags decoded as images.
void BuildLanguageCatalogue(const std::string& packPath);
// The same for the program's own pack.
void BuildLanguageCatalogue();
// Keeps AppState.Language when the catalogue has a language of exactly that key, else "en_GB".
void ChooseCurrentLanguage();
// Adds that language's texts to AppState.StringTable, replacing texts of the same keys; keys the
// file lacks keep their texts. A language that cannot be read changes nothing.
void LoadLanguageStrings(const std::string& packPath, const std::u16string& languageKey);

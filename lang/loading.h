// The language pack: finding its languages and loading one language's texts.
#pragma once

#include <string>

void BuildLanguageCatalogue();
void ChooseCurrentLanguage();
void LoadLanguageStrings(const std::string& packPath, const std::u16string& languageKey);

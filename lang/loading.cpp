#include "lang/loading.h"

#include "app/app_state.h"

void BuildLanguageCatalogue() {}

void ChooseCurrentLanguage() {
  for (const LanguageInfo* language : WalkLanguages(AppState.LanguageCatalogue)) {
    if (language->Key == AppState.Language) return;
  }
  AppState.Language = u"en_GB";
}

void LoadLanguageStrings(const std::string&, const std::u16string&) {}

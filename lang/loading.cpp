#include "lang/loading.h"

#include <string_view>

#include "app/app_state.h"
#include "lang/pack_reading.h"
#include "platform/gui.h"

namespace {

int DecodeFlag(size_t entryIndex, std::string_view bytes) {
  const int image = kFirstFlagImage + static_cast<int>(entryIndex);
  const bool decoded = platform::LoadImagePng(
      image, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), kMaxFlagSide);
  return decoded ? image : -1;
}

}  // namespace

std::string LanguagePackPath() {
  return AppState.ProgramFolder + "Sumvane.lang";
}

void BuildLanguageCatalogue(const std::string& packPath) {
  AppState.LanguageCatalogue = {};
  pack::FillCatalogue(AppState.LanguageCatalogue, packPath, DecodeFlag);
}

void BuildLanguageCatalogue() {
  BuildLanguageCatalogue(LanguagePackPath());
}

void ChooseCurrentLanguage() {
  for (const LanguageInfo* language : WalkLanguages(AppState.LanguageCatalogue)) {
    if (language->Key == AppState.Language)
      return;
  }
  AppState.Language = u"en_GB";
}

void LoadLanguageStrings(const std::string& packPath, const std::u16string& languageKey) {
  pack::LoadTexts(AppState.StringTable, packPath, languageKey);
}

#include "lang/string_table.h"

#include "app/app_state.h"

std::u16string LookupText(const std::u16string& key) {
  return AppState.StringTable[key];
}

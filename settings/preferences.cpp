#include "settings/preferences.h"

#include "app/app_state.h"
#include "platform/files.h"

bool LoadPreferences(const std::string&) { return false; }
void LocatePreferences() { AppState.ProgramFolder = platform::ProgramFolder(); }
bool SavePreferences() { return false; }

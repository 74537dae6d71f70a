#pragma once
#include <string>
bool LoadPreferences(const std::string& folder);
void LocatePreferences();
bool SavePreferences();

#include "checksum/intake.h"

#include "app/app_state.h"

void BrowseForFiles() {}
void AddDroppedPaths(const std::string&) {}
void AddPath(const std::string&) {}
void AddStartupPath() {}

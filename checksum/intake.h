// Bringing files into the list: the open dialog, drops, and the command-line argument.
#pragma once

#include <string>

void BrowseForFiles();
// `paths` holds native paths separated by line feeds.
void AddDroppedPaths(const std::string& paths);
void AddPath(const std::string& path);
void AddStartupPath();

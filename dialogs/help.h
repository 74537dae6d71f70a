// The help viewer program and the website.
#pragma once

#include <string>

// F1 and Help → Help: starts the viewer with the current language's help file, unless the one
// started earlier still runs.
void ShowHelp();
// At exit: ends a viewer this instance started and that still runs.
void StopHelpProgram();
// Help → Website: the maker's address in the default browser; a failure is silent.
void OpenWebsite();

// The program folder, "Sumvane_", the language id of the current language, ".help".
std::string HelpFileName();
// Test hook: the program to start instead of the viewer (empty: the viewer).
void SetHelpProgramForTests(const std::string& program);

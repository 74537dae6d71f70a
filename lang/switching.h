// Switching the interface to another language while the program runs.
#pragma once

// The handler of a language item of the Languages menu.
void SwitchLanguage(int itemId);
// Writes the current language's texts into every caption, menu, tool tip and column header of
// the main window.
void RelabelMainWindow();

#include "dialogs/help.h"

void ShowHelp() {}
void StopHelpProgram() {}
void OpenWebsite() {}

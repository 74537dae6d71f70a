// The help viewer program and the website.
#pragma once

void ShowHelp();
void StopHelpProgram();
void OpenWebsite();

// The results leave the program: to the clipboard or to a text file.
#pragma once

void CopyResults();
void SaveResults();

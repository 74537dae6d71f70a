// Switching the interface to another language while the program runs.
#pragma once

void SwitchLanguage(int itemId);

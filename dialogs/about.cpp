#include "dialogs/about.h"

void ShowAboutWindow() {}
void HandleAboutWindowEvent(const platform::Event&) {}

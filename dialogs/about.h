// The About window: logo, name, version and credits, modal by disabling the main window while
// the main loop goes on.
#pragma once

#include <string>

#include "platform/gui.h"

void ShowAboutWindow();
// An event of AboutWindow, passed on by the main loop: OK or the close box close the window.
void HandleAboutWindowEvent(const platform::Event& event);
// The text below the title, one credit per line.
std::u16string ComposeAboutText();

// The About window: logo, name, version and credits, modal by disabling the main window.
#pragma once

#include "platform/gui.h"

void ShowAboutWindow();
// An event of AboutWindow, passed on by the main loop.
void HandleAboutWindowEvent(const platform::Event& event);

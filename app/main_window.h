// The main window: its controls in their layout, the menus, F1, and the restored selections.
#pragma once

#include "platform/gui.h"

// Opens MainWindow hidden, with menu, controls and selections. False: nothing was created.
bool OpenMainWindow();
void BuildMainMenu();
void RestoreSelections();
// Moves and sizes the controls for a client area of W × H below the menu bar.
void LayoutControls(int width, int height);
// Where the layout puts a control for a client area of W × H (for tests and callers).
platform::Rect ControlLayoutRect(int control, int width, int height);

// Enables or disables the four digest-size options by the algorithm (SHA2, SHA3: enabled).
void EnableBitsOptionsFor(int64_t algorithm);

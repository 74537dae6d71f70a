// The main loop and the commands it dispatches.
#pragma once

#include "platform/gui.h"

void RunEventLoop();
// Hands one event to its command (the loop's body, also used by tests).
void DispatchEvent(const platform::Event& event);

void ListActivity();
void DeleteSelectedRows();
void DeleteAllRows();
void ChooseAlgorithm(int option);
void ConfirmQuit(bool fromCloseBox);
void HandleSizeEvent();

// The program's start-up and exit sequences.
#pragma once

// Runs the whole program; returns only when it could not start (no display).
int RunProgram(int argc, char** argv);

// The start-up steps up to the shown main window. False when the main window could not open.
bool StartUp(int argc, char** argv);
void CreateFonts();
void DecodeBuiltinImages();
// Copies the selected options into AppState.Algorithm and AppState.Bits.
void ReadBackSelections();
// Everything after the event loop but ending the process.
void ExitSequence();

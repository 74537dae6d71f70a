// The checksum job: start, cancel, pause around questions, and the end on the main thread.
#pragma once

void StartJob();
void RequestCancel();
void FinishJob();
// Holds the worker at its next safe point while a question is open; never blocks the caller.
void PauseJob();
void ResumeJob();

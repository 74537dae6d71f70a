// The checksum job: start, cancel, pause around questions, and the end on the main thread.
#pragma once

#include <cstdint>
#include <string>

void StartJob();
void RequestCancel();
void FinishJob();
// Holds the worker at its next safe point while a question is open; never blocks the caller.
void PauseJob();
void ResumeJob();

// The worker thread's procedure: one checksum per row of the file list, then EventJobFinished.
void ChecksumWorker(int64_t algorithm);

// Test hook: called on the worker thread as each row begins, and with -1 right before the
// end-of-job event is posted.
void SetWorkerStepHookForTests(void (*hook)(int row));

// The notice at the end of a job. Its line breaks are the two characters backslash and n,
// which the message dialog turns into real ones.
std::u16string JobSummary(bool cancelled, int64_t processed, int64_t rows, int64_t failed);

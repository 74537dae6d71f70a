// The cooperative pause of the checksum worker while the main thread asks whether to cancel or
// quit. The main thread only flips the gate and never waits for the worker; the worker stops at
// the gate between 1 MiB blocks and before every visible change, where it holds no lock that the
// main thread could need.
#pragma once

// Main thread. A shut gate holds the worker at its next stop, even when it was opened and shut
// again before the worker woke; IsWorkerPaused tells whether the gate is shut, not whether the
// worker has reached it yet (it may still be finishing a block).
void PauseWorker();
void ResumeWorker();
bool IsWorkerPaused();
// How many times the gate has been shut so far (lets a test wait for a pause it provoked).
long WorkerPauseCount();

// Worker thread: returns at once when the gate is open, else when ResumeWorker is called.
void WaitIfPaused();

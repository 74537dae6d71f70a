// The cooperative pause of the checksum worker while the main thread asks whether to cancel or
// quit. The main thread only flips the gate and never waits for the worker; the worker stops at
// the gate between 1 MiB blocks and before every visible change, where it holds no lock that the
// main thread could need.
#pragma once

// Main thread.
void PauseWorker();
void ResumeWorker();
bool IsWorkerPaused();

// Worker thread: returns at once when the gate is open, else when ResumeWorker is called.
void WaitIfPaused();

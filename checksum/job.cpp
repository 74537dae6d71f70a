#include "checksum/job.h"

void StartJob() {}
void RequestCancel() {}
void FinishJob() {}
void PauseJob() {}
void ResumeJob() {}

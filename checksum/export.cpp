#include "checksum/export.h"

void CopyResults() {}
void SaveResults() {}

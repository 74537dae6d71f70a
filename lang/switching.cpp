#include "lang/switching.h"

void SwitchLanguage(int) {}

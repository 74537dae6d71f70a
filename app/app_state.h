// The one global state record of the program.
#pragma once

struct AppStateRecord {};

extern AppStateRecord AppState;

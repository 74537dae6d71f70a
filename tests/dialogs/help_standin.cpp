// Stands in for the help viewer in tests: notes its argument and working folder in the file
// named by SUMVANE_STANDIN_LOG, then waits until it is told to end.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const char* log = std::getenv("SUMVANE_STANDIN_LOG");
  if (log != nullptr) {
    if (FILE* out = std::fopen(log, "a")) {
      char folder[PATH_MAX] = "";
      if (getcwd(folder, sizeof folder) == nullptr)
        folder[0] = '\0';
      std::fprintf(out, "%d\t%s\t%s\t%d\n", static_cast<int>(getpid()), argc > 1 ? argv[1] : "",
                   folder, argc);
      std::fclose(out);
    }
  }
  for (;;)
    pause();
}

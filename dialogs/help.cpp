#include "dialogs/help.h"

#include <unistd.h>

#include "app/app_state.h"
#include "app/product_info.h"
#include "lang/string_table.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/threads.h"

namespace {

constexpr char kViewerName[] = "pagelight";
constexpr int kWatchIntervalMs = 100;
constexpr int kTerminateGraceMs = 500;
std::string g_programForTests;

// The viewer beside the program, else the one on PATH.
std::string ViewerProgram() {
  if (!g_programForTests.empty())
    return g_programForTests;
  const std::string beside = AppState.ProgramFolder + kViewerName;
  return access(beside.c_str(), X_OK) == 0 ? beside : kViewerName;
}

// Notices within one interval when the user closes the viewer. It only forgets the handle;
// the main thread may still be using the value it read.
void HelpWatcher() {
  for (;;) {
    if (AppState.HelpWatchActive.load() == 0)
      return;
    const platform::ProgramHandle program = AppState.HelpProgram.load();
    if (program == 0)
      return;
    if (!platform::IsProgramRunning(program)) {
      AppState.HelpProgram = 0;
      AppState.HelpWatchActive = 0;
    }
    platform::SleepMilliseconds(kWatchIntervalMs);
  }
}

}  // namespace

std::string HelpFileName() {
  return AppState.ProgramFolder + platform::Utf16ToUtf8(kProductName) + "_" +
         platform::Utf16ToUtf8(LookupText(u"tLangFileLANGID")) + ".help";
}

void ShowHelp() {
  const std::string helpFile = HelpFileName();
  if (platform::IsProgramRunning(AppState.HelpProgram.load()))
    return;
  // Name and folder go to the viewer as separate arguments, never through a shell.
  const platform::ProgramHandle program =
      platform::StartProgram(ViewerProgram(), {helpFile}, AppState.ProgramFolder);
  AppState.HelpProgram = program;
  if (program == 0)
    return;  // nothing to report; the next F1 tries again
  AppState.HelpWatchActive = 1;
  if (!platform::StartDetachedThread(HelpWatcher))
    AppState.HelpWatchActive = 0;
}

void StopHelpProgram() {
  const platform::ProgramHandle program = AppState.HelpProgram.load();
  if (program == 0 || !platform::IsProgramRunning(program))
    return;
  AppState.HelpWatchActive = 0;
  platform::TerminateProgram(program, kTerminateGraceMs);
  platform::ReleaseProgram(program);
}

void OpenWebsite() {
  platform::OpenWebAddress(kWebAddress);
}

void SetHelpProgramForTests(const std::string& program) {
  g_programForTests = program;
}

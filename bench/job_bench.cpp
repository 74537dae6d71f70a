// Runs one checksum job through the real worker, headless, and prints how long it took:
//   job_bench <folder> <algorithm index> <digest bits>
// The window is the program's own main window on Qt's offscreen platform; the job starts as a
// click on Calculate does and ends when the main loop has handled the end of the job.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "app/ids.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "checksum/file_checksum.h"
#include "checksum/intake.h"
#include "dialogs/message_dialog.h"
#include "platform/gui.h"

namespace {

int64_t BitsIndexOf(int64_t bits) {
  for (int64_t index = 0; index < 4; ++index) {
    if (kDigestBitsByIndex[index] == bits)
      return index;
  }
  return Bits256;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: job_bench <folder> <algorithm 0-4> <bits>\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!platform::Initialise(argc, argv))
    return 1;
  AppState.ButtonFaceColour = platform::ButtonFaceColour();
  InitDialogPresets();
  CreateFonts();
  DecodeBuiltinImages();
  AppState.DialogYesFirst = 1;
  AppState.Algorithm = std::atol(argv[2]);
  AppState.Bits = BitsIndexOf(std::atol(argv[3]));
  if (!OpenMainWindow())
    return 1;
  AddPath(argv[1]);
  platform::ShowWindow(MainWindow);
  const int rows = platform::ListRowCount(MainWindow, FileList);
  const int64_t repaintsBefore = platform::ListRepaintCount();
  ScriptMessageDialogAnswers({0});  // the summary at the end

  const auto start = std::chrono::steady_clock::now();
  DispatchEvent({platform::EventKind::Control, MainWindow, CalculateButton, {}});
  while (AppState.JobRunning == 1)
    DispatchEvent(platform::WaitEvent());
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

  std::printf("rows=%d failed=%lld repaints=%lld seconds=%.3f\n", rows,
              static_cast<long long>(AppState.FilesFailed.load()),
              static_cast<long long>(platform::ListRepaintCount() - repaintsBefore),
              elapsed.count());
  platform::EndProcess(0);
}

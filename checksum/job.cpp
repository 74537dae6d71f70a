#include "checksum/job.h"

#include "app/app_state.h"
#include "app/ids.h"
#include "checksum/file_checksum.h"
#include "checksum/pause_gate.h"
#include "dialogs/message_dialog.h"
#include "lang/string_table.h"
#include "platform/gui.h"
#include "platform/text.h"
#include "platform/threads.h"

namespace {

constexpr int kJobMenuItems[] = {MenuOpen, MenuQuit, MenuHelp, MenuAbout, MenuWeb};
constexpr int kJobControls[] = {SourceField, BrowseButton, FileList,       ClipboardButton,
                                SaveButton,  DeleteButton, DeleteAllButton};
void (*g_stepHook)(int row) = nullptr;

void Step(int row) {
  if (g_stepHook != nullptr)
    g_stepHook(row);
}

void SetMenuItemsEnabled(bool enabled) {
  for (const int item : kJobMenuItems)
    platform::SetMenuItemEnabled(MainWindow, item, enabled);
}

void SetOptionsEnabled(const ControlId* options, size_t count, bool enabled) {
  for (size_t i = 0; i < count; ++i)
    platform::SetControlEnabled(MainWindow, options[i], enabled);
}

// The digest size the options show; 0 when none is selected. Safe on the worker thread.
int64_t SelectedDigestBits() {
  for (size_t i = 0; i < std::size(kBitsOptions); ++i) {
    if (platform::IsControlChecked(MainWindow, kBitsOptions[i]))
      return kDigestBitsByIndex[i];
  }
  return 0;
}

void PostJobFinished() {
  platform::PostEvent({platform::EventKind::Custom, MainWindow, EventJobFinished, {}});
}

}  // namespace

void StartJob() {
  const int rows = platform::ListRowCount(MainWindow, FileList);
  for (int row = 0; row < rows; ++row) {
    platform::ListSetRowImage(MainWindow, FileList, row, ImageRowQueued);
    platform::ListSetCellText(MainWindow, FileList, row, 1, u"");
  }
  platform::SetProgressRange(MainWindow, JobProgress, 0, rows);
  platform::SetControlText(MainWindow, CalculateButton, LookupText(u"tMainCANCEL"));
  SetMenuItemsEnabled(false);
  for (const int control : kJobControls)
    platform::SetControlEnabled(MainWindow, control, false);
  SetOptionsEnabled(kAlgorithmOptions, std::size(kAlgorithmOptions), false);
  SetOptionsEnabled(kBitsOptions, std::size(kBitsOptions), false);

  AppState.JobRunning = 1;
  AppState.JobCancelled = 0;
  AppState.CancelRequested = 0;
  const int64_t algorithm = AppState.Algorithm;
  if (!platform::StartDetachedThread([algorithm] { ChecksumWorker(algorithm); })) {
    // No thread: end the job at once rather than leave the window locked.
    PostJobFinished();
  }
}

void ChecksumWorker(int64_t algorithm) {
  AppState.FilesFailed = 0;
  AppState.FilesProcessed = 0;
  const int64_t bits = SelectedDigestBits();
  // The worker stops at the pause gate before each change the user can see, and between
  // blocks, so nothing moves while a question is open.
  for (int row = 0; row < platform::ListRowCount(MainWindow, FileList); ++row) {
    WaitIfPaused();
    if (AppState.CancelRequested.load() == 1) {
      continue;  // a cancelled job skips every row it has not begun
    }
    Step(row);
    AppState.FilesProcessed += 1;
    platform::SetProgressValue(MainWindow, JobProgress, row);
    WaitIfPaused();
    platform::ListSetRowImage(MainWindow, FileList, row, ImageRowBusy);
    WaitIfPaused();
    platform::ListSelectOnly(MainWindow, FileList, row);
    const std::string path = platform::ListRowNativePath(MainWindow, FileList, row);
    const std::u16string checksum = FileChecksum(path, algorithm, bits, WaitIfPaused);
    WaitIfPaused();
    if (checksum.empty()) {
      platform::ListSetRowImage(MainWindow, FileList, row, ImageRowFailed);
      AppState.FilesFailed += 1;
    } else {
      platform::ListSetRowImage(MainWindow, FileList, row, ImageRowDone);
      WaitIfPaused();
      platform::ListSetCellText(MainWindow, FileList, row, 1, checksum);
    }
  }
  WaitIfPaused();
  Step(-1);
  PostJobFinished();
}

void SetWorkerStepHookForTests(void (*hook)(int row)) {
  g_stepHook = hook;
}

void RequestCancel() {
  PauseJob();
  if (ShowMessageDialog(AppState.QuestionPreset, LookupText(u"tReqCANCEL")) == 1) {
    AppState.CancelRequested = 1;
    AppState.JobCancelled = 1;
  }
  ResumeJob();
}

void PauseJob() {
  PauseWorker();
}

void ResumeJob() {
  ResumeWorker();
}

std::u16string JobSummary(bool cancelled, int64_t processed, int64_t rows, int64_t failed) {
  using platform::NumberToUtf16;
  return LookupText(cancelled ? u"tReqCANCELLED" : u"tReqFINISHED") + u"\\n\\n" +
         LookupText(u"tInfoFILESPROCESSED") + u"\t" + NumberToUtf16(processed) + u"\\" +
         NumberToUtf16(rows) + u"\\n" + LookupText(u"tInfoERRORCALCULATE") + u"\t" +
         NumberToUtf16(failed) + u" " + LookupText(u"tInfoFILES");
}

void FinishJob() {
  AppState.CancelRequested = 0;
  AppState.JobRunning = 0;
  SetMenuItemsEnabled(true);
  platform::SetControlText(MainWindow, CalculateButton, LookupText(u"tMainCALCULATE"));
  platform::SetProgressValue(MainWindow, JobProgress, 0);
  for (const int control : {SourceField, BrowseButton, FileList, ClipboardButton, SaveButton}) {
    platform::SetControlEnabled(MainWindow, control, true);
  }
  platform::SetControlEnabled(MainWindow, DeleteButton,
                              !platform::ListSelectedRows(MainWindow, FileList).empty());
  platform::SetControlEnabled(MainWindow, DeleteAllButton, true);
  SetOptionsEnabled(kAlgorithmOptions, std::size(kAlgorithmOptions), true);
  SetOptionsEnabled(kBitsOptions, std::size(kBitsOptions),
                    AppState.Algorithm == 3 || AppState.Algorithm == 4);
  const std::u16string summary =
      JobSummary(AppState.JobCancelled == 1, AppState.FilesProcessed.load(),
                 platform::ListRowCount(MainWindow, FileList), AppState.FilesFailed.load());
  ShowMessageDialog(AppState.NoticePreset, summary);
  AppState.JobCancelled = 0;
}

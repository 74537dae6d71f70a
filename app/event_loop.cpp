#include "app/event_loop.h"

#include "app/app_state.h"
#include "app/ids.h"
#include "app/main_window.h"
#include "checksum/export.h"
#include "checksum/intake.h"
#include "checksum/job.h"
#include "dialogs/about.h"
#include "dialogs/help.h"
#include "dialogs/message_dialog.h"
#include "lang/string_table.h"
#include "lang/switching.h"
#include "platform/threads.h"

namespace {

void SetEnabled(std::initializer_list<int> controls, bool enabled) {
  for (const int control : controls)
    platform::SetControlEnabled(MainWindow, control, enabled);
}

void CalculateOrCancel() {
  if (AppState.JobRunning == 0) {
    StartJob();
  } else {
    RequestCancel();
  }
}

void QuitFromMenu() {
  ConfirmQuit(false);
}

struct Command {
  int id;
  void (*run)();
};

constexpr Command kControlCommands[] = {
    {BrowseButton, BrowseForFiles},       {FileList, ListActivity},
    {ClipboardButton, CopyResults},       {SaveButton, SaveResults},
    {DeleteButton, DeleteSelectedRows},   {DeleteAllButton, DeleteAllRows},
    {CalculateButton, CalculateOrCancel},
};

constexpr Command kMenuCommands[] = {
    {MenuOpen, BrowseForFiles},   {MenuQuit, QuitFromMenu}, {MenuHelp, ShowHelp},
    {MenuAbout, ShowAboutWindow}, {MenuWeb, OpenWebsite},
};

template <size_t N>
bool RunCommand(const Command (&table)[N], int id) {
  for (const Command& command : table) {
    if (command.id == id) {
      command.run();
      return true;
    }
  }
  return false;
}

bool IsAlgorithmOption(int control) {
  for (const ControlId option : kAlgorithmOptions) {
    if (option == control)
      return true;
  }
  return false;
}

void DispatchMainWindowEvent(const platform::Event& event) {
  using platform::EventKind;
  switch (event.kind) {
    case EventKind::Control:
      if (IsAlgorithmOption(event.id)) {
        ChooseAlgorithm(event.id);
      } else {
        RunCommand(kControlCommands, event.id);
      }
      break;
    case EventKind::Menu:
      if (!RunCommand(kMenuCommands, event.id))
        SwitchLanguage(event.id);
      break;
    case EventKind::Size:
      HandleSizeEvent();
      break;
    case EventKind::Close:
      ConfirmQuit(true);
      break;
    case EventKind::Drop:
      if (event.id == FileList)
        AddDroppedPaths(event.data);
      break;
    case EventKind::Custom:
      if (event.id == EventJobFinished)
        FinishJob();
      break;
    default:
      break;
  }
}

}  // namespace

void DispatchEvent(const platform::Event& event) {
  if (event.window == MainWindow) {
    DispatchMainWindowEvent(event);
  } else if (event.window == AboutWindow) {
    HandleAboutWindowEvent(event);
  }
}

void RunEventLoop() {
  while (AppState.QuitRequested == 0)
    DispatchEvent(platform::WaitEvent());
}

void ListActivity() {
  if (AppState.JobRunning == 0 && platform::ListRowCount(MainWindow, FileList) > 0) {
    SetEnabled({ClipboardButton, SaveButton, DeleteButton, DeleteAllButton}, true);
  }
}

namespace {
void AfterListEmptied() {
  platform::SetControlText(MainWindow, SourceField, u"");
  SetEnabled({ClipboardButton, SaveButton, DeleteButton, DeleteAllButton, CalculateButton}, false);
}
}  // namespace

void DeleteSelectedRows() {
  std::vector<int> selected = platform::ListSelectedRows(MainWindow, FileList);
  if (selected.empty())
    return;
  if (ShowMessageDialog(AppState.WarningPreset, LookupText(u"tReqDELETE")) == 0)
    return;
  // Highest first, so the lower indices stay valid while rows go.
  for (auto row = selected.rbegin(); row != selected.rend(); ++row) {
    platform::ListRemoveRow(MainWindow, FileList, *row);
  }
  platform::SetControlEnabled(MainWindow, DeleteButton, false);
  if (platform::ListRowCount(MainWindow, FileList) == 0)
    AfterListEmptied();
}

void DeleteAllRows() {
  if (ShowMessageDialog(AppState.WarningPreset, LookupText(u"tReqDELETEALL")) == 0)
    return;
  platform::ListClear(MainWindow, FileList);
  AfterListEmptied();
}

void ChooseAlgorithm(int option) {
  for (int64_t index = 0; index < 5; ++index) {
    if (kAlgorithmOptions[index] == option)
      AppState.Algorithm = index;
  }
  EnableBitsOptionsFor(AppState.Algorithm);
}

void ConfirmQuit(bool fromCloseBox) {
  if (!fromCloseBox || AppState.JobRunning == 0) {
    if (ShowMessageDialog(AppState.WarningPreset, LookupText(u"tReqSURETOEXIT")) == 1) {
      AppState.QuitRequested = 1;
    }
    return;
  }
  PauseJob();
  const int answer = ShowMessageDialog(AppState.WarningPreset, LookupText(u"tReqINPROGRESSQUIT"));
  if (answer == 0) {
    ResumeJob();
    return;
  }
  AppState.CancelRequested = 1;
  AppState.JobCancelled = 1;
  ResumeJob();
  // Gives the worker a moment to skip its remaining rows; it is not waited for beyond this.
  platform::SleepMilliseconds(100);
  AppState.QuitRequested = 1;
}

void HandleSizeEvent() {
  const platform::Size inner = platform::WindowInnerSize(MainWindow);
  const platform::Size client = platform::WindowClientSize(MainWindow);
  AppState.WindowWidth = inner.width;
  AppState.WindowHeight = inner.height;
  LayoutControls(client.width, client.height);
}

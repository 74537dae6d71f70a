#include "tests/support/app_fixture.h"

#include "app/main_window.h"
#include "app/startup.h"
#include "dialogs/message_dialog.h"
#include "lang/text_keys.h"

namespace {
bool g_resourcesCreated = false;
}  // namespace

std::u16string FixtureText(const std::u16string& key) {
  return u"<" + key + u">";
}

void ResetAppState() {
  AppState.Language.clear();
  AppState.Algorithm = 0;
  AppState.Bits = 0;
  AppState.WindowWidth = 840;
  AppState.WindowHeight = 600;
  AppState.ProgramFolder.clear();
  AppState.PrefsFolder.clear();
  AppState.PrefsHome.clear();
  AppState.CommandLineSource.clear();
  AppState.StringTable.clear();
  AppState.LanguageCatalogue = {};
  AppState.CurrentLanguageItem = 0;
  AppState.JobRunning = 0;
  AppState.CancelRequested = 0;
  AppState.JobCancelled = 0;
  AppState.FilesProcessed = 0;
  AppState.FilesFailed = 0;
  AppState.HelpProgram = 0;
  AppState.HelpWatchActive = 0;
  AppState.DialogYesFirst = 1;
  AppState.QuitRequested = 0;
  AppState.ButtonFaceColour = -1;  // the presets' band colour; tests need no real one
  for (const char16_t* key : kTextKeys)
    AppState.StringTable[key] = FixtureText(key);
  InitDialogPresets();
  UpdatePresetTexts();
}

void OpenFreshMainWindow(int64_t algorithm, int64_t bits) {
  if (!g_resourcesCreated) {
    CreateFonts();
    DecodeBuiltinImages();
    g_resourcesCreated = true;
  }
  platform::DestroyWindow(MainWindow);
  AppState.Algorithm = algorithm;
  AppState.Bits = bits;
  ASSERT_TRUE(OpenMainWindow());
}

void ShowMainWindowAndSettle() {
  platform::ShowWindow(MainWindow);
  platform::ProcessPendingWork();
  platform::DiscardQueuedEvents();
}

void MainWindowTest::SetUp() {
  ResetAppState();
  ScriptMessageDialogAnswers({});
  ClearShownMessageDialogs();
  OpenFreshMainWindow();
  platform::DiscardQueuedEvents();
}

void MainWindowTest::TearDown() {
  platform::DestroyWindow(MessageWindow);
  platform::DestroyWindow(AboutWindow);
  platform::DestroyWindow(MainWindow);
  platform::DiscardQueuedEvents();
}

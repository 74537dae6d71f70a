// The one global state record of the program. It exists with its initial values before the
// first step of start-up and lives until the process ends. Fields that two threads share are
// atomic 64-bit words, each written by one side only.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "dialogs/message_dialog_spec.h"
#include "lang/catalogue.h"

struct AppStateRecord {
  // Persisted settings.
  std::u16string Language;
  int64_t Algorithm = 0;  // AlgorithmIndex
  int64_t Bits = 0;       // BitsIndex
  int64_t WindowWidth = 840;
  int64_t WindowHeight = 600;  // menu bar included

  // Folders (native paths, each ending in '/') and the command line.
  std::string ProgramFolder;
  std::string PrefsFolder;
  std::string PrefsHome;
  std::string CommandLineSource;

  // Language state.
  std::unordered_map<std::u16string, std::u16string> StringTable;
  LanguageCatalogueMap LanguageCatalogue;
  // The menu item of the current language; 0 while none carries the check mark.
  int64_t CurrentLanguageItem = 0;

  // Checksum job. The worker reads CancelRequested and writes the two counters.
  int64_t JobRunning = 0;
  std::atomic<int64_t> CancelRequested{0};
  int64_t JobCancelled = 0;
  std::atomic<int64_t> FilesProcessed{0};
  std::atomic<int64_t> FilesFailed{0};

  // Help program: shared with the thread that watches it.
  std::atomic<int64_t> HelpProgram{0};  // pidfd + 1 of the running help program; 0: none
  std::atomic<int64_t> HelpWatchActive{0};

  // Dialogs.
  MessageDialogSpec NoticePreset;
  MessageDialogSpec WarningPreset;
  MessageDialogSpec QuestionPreset;
  int64_t DialogYesFirst = 0;
  int64_t ButtonFaceColour = -1;

  // Event loop.
  int64_t QuitRequested = 0;
};

extern AppStateRecord AppState;

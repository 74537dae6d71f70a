// Starting, watching and ending the help viewer, with a stand-in program in its place.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "dialogs/help.h"
#include "platform/threads.h"
#include "tests/support/app_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

struct StandinStart {
  int pid = 0;
  std::string argument;
  std::string folder;
  int argc = 0;
};

class HelpTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    AppState.ProgramFolder = temp.path();
    AppState.StringTable[u"tLangFileLANGID"] = u"2057";
    log = temp.path() + "standin.log";
    setenv("SUMVANE_STANDIN_LOG", log.c_str(), 1);
    SetHelpProgramForTests(HELP_STANDIN);
  }
  void TearDown() override {
    StopHelpProgram();
    SetHelpProgramForTests("");
    unsetenv("SUMVANE_STANDIN_LOG");
  }
  // Every start the stand-in noted, in order; waits a little for the newest to write.
  std::vector<StandinStart> Starts(size_t atLeast) {
    std::vector<StandinStart> starts;
    for (int attempt = 0; attempt < 200; ++attempt) {
      starts.clear();
      std::ifstream in(log);
      for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        StandinStart start;
        std::string pid, argc;
        std::getline(fields, pid, '\t');
        std::getline(fields, start.argument, '\t');
        std::getline(fields, start.folder, '\t');
        std::getline(fields, argc, '\t');
        start.pid = std::stoi(pid);
        start.argc = std::stoi(argc);
        starts.push_back(start);
      }
      if (starts.size() >= atLeast)
        break;
      platform::SleepMilliseconds(10);
    }
    return starts;
  }
  // Waits until the watcher has noticed that the viewer ended.
  bool WaitForWatcher() {
    for (int attempt = 0; attempt < 500 && AppState.HelpProgram.load() != 0; ++attempt) {
      platform::SleepMilliseconds(10);
    }
    return AppState.HelpProgram.load() == 0;
  }
  static bool ProcessGone(int pid) {
    struct stat info {};
    return stat(("/proc/" + std::to_string(pid)).c_str(), &info) != 0;
  }

  TempFolder temp;
  std::string log;
};

TEST_F(HelpTest, HelpFileNameIsFolderProductLanguageIdAndExtension) {
  AppState.ProgramFolder = "/opt/sumvane/";
  EXPECT_EQ(HelpFileName(), "/opt/sumvane/Sumvane_2057.help");
  AppState.StringTable.erase(u"tLangFileLANGID");
  EXPECT_EQ(HelpFileName(), "/opt/sumvane/Sumvane_.help");
}

TEST_F(HelpTest, SecondF1WhileTheViewerRunsStartsNothing) {
  ShowHelp();
  ShowHelp();
  const std::vector<StandinStart> starts = Starts(1);
  platform::SleepMilliseconds(100);
  ASSERT_EQ(Starts(1).size(), 1u);
  EXPECT_EQ(starts[0].argument, temp.path() + "Sumvane_2057.help");
  EXPECT_EQ(starts[0].folder + "/", temp.path());
  EXPECT_EQ(starts[0].argc, 2);
  EXPECT_EQ(AppState.HelpWatchActive, 1);
}

TEST_F(HelpTest, ClosingTheViewerLetsTheNextF1StartItAgain) {
  ShowHelp();
  const int first = Starts(1).at(0).pid;
  ASSERT_EQ(kill(first, SIGTERM), 0);  // the user closes the viewer
  ASSERT_TRUE(WaitForWatcher());
  EXPECT_TRUE(ProcessGone(first));  // reaped, not left as a zombie
  ShowHelp();
  const std::vector<StandinStart> starts = Starts(2);
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_NE(starts[1].pid, first);
}

TEST_F(HelpTest, QuittingEndsTheRunningViewerAndLeavesNoProcess) {
  ShowHelp();
  const int pid = Starts(1).at(0).pid;
  StopHelpProgram();
  EXPECT_TRUE(ProcessGone(pid));
  EXPECT_EQ(AppState.HelpWatchActive, 0);
}

TEST_F(HelpTest, MissingViewerStartsNothingAndTheNextF1TriesAgain) {
  SetHelpProgramForTests(temp.path() + "no-such-viewer");
  ShowHelp();
  EXPECT_EQ(AppState.HelpProgram.load(), 0);
  EXPECT_EQ(AppState.HelpWatchActive, 0);
  SetHelpProgramForTests(HELP_STANDIN);
  ShowHelp();
  EXPECT_EQ(Starts(1).size(), 1u);
}

TEST_F(HelpTest, ShellCharactersInTheNamesReachTheViewerUnchanged) {
  const std::string folder = temp.MakeFolder("it's \"odd\" $(touch pwned) ; `touch pwned2` & |x");
  AppState.ProgramFolder = folder + "/";
  AppState.StringTable[u"tLangFileLANGID"] = u"1 $(touch pwned3)";
  ShowHelp();
  const std::vector<StandinStart> starts = Starts(1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].argument, folder + "/Sumvane_1 $(touch pwned3).help");
  EXPECT_EQ(starts[0].folder, folder);
  EXPECT_EQ(starts[0].argc, 2);
  struct stat info {};
  for (const char* planted : {"pwned", "pwned2", "pwned3"}) {
    EXPECT_NE(stat((temp.path() + planted).c_str(), &info), 0) << planted;
    EXPECT_NE(stat((folder + "/" + planted).c_str(), &info), 0) << planted;
  }
}

}  // namespace

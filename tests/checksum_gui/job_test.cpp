// The checksum job through the real worker thread: rows, images, selection, progress, cancel,
// the summary, and the end-of-job event racing a question.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <functional>

#include "app/event_loop.h"
#include "checksum/file_checksum.h"
#include "checksum/intake.h"
#include "checksum/job.h"
#include "checksum/pause_gate.h"
#include "dialogs/message_dialog.h"
#include "platform/threads.h"
#include "tests/support/app_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

std::function<void(int)> g_step;
void StepHook(int row) {
  if (g_step)
    g_step(row);
}

std::function<void()> g_dialogOpen;
void DialogOpenHook() {
  if (g_dialogOpen)
    g_dialogOpen();
}

void PostCalculateClick() {
  platform::PostEvent({platform::EventKind::Control, MainWindow, CalculateButton, {}});
}

// From the worker: clicks Calculate (which asks to cancel) and waits until the main thread has
// paused the job for the question. The question may already be answered when this returns.
void ClickCalculateAndWaitForThePause() {
  const long before = WorkerPauseCount();
  PostCalculateClick();
  while (WorkerPauseCount() == before)
    platform::SleepMilliseconds(1);
}

class JobTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    SetWorkerStepHookForTests(StepHook);
    SetMessageDialogOpenHook(DialogOpenHook);
  }
  void TearDown() override {
    SetWorkerStepHookForTests(nullptr);
    SetMessageDialogOpenHook(nullptr);
    g_step = nullptr;
    g_dialogOpen = nullptr;
    ResumeWorker();
    MainWindowTest::TearDown();
  }
  // Writes `count` files named f00, f01, … into a folder and takes the folder in.
  void AddFiles(int count) {
    for (int i = 0; i < count; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "f%02d", i);
      temp.WriteFile(std::string("job/") + name,
                     std::string(static_cast<size_t>(i) * 100, 'a' + i));
    }
    AddPath(temp.path() + "job");
  }
  // Presses Calculate and runs the main loop until the job has ended.
  void RunJob() {
    DispatchEvent({platform::EventKind::Control, MainWindow, CalculateButton, {}});
    ASSERT_EQ(AppState.JobRunning, 1);
    while (AppState.JobRunning == 1)
      DispatchEvent(platform::WaitEvent());
  }
  int Image(int row) { return platform::ListRowImage(MainWindow, FileList, row); }
  std::u16string Hash(int row) { return platform::ListCellText(MainWindow, FileList, row, 1); }
  std::u16string Summary() { return ShownMessageDialogs().back().text; }
  std::u16string ExpectedSummary(const char16_t* first, const char16_t* processed,
                                 const char16_t* failed) {
    return FixtureText(first) + u"\\n\\n" + FixtureText(u"tInfoFILESPROCESSED") + u"\t" +
           processed + u"\\n" + FixtureText(u"tInfoERRORCALCULATE") + u"\t" + failed + u" " +
           FixtureText(u"tInfoFILES");
  }

  TempFolder temp;
};

TEST_F(JobTest, ThreeReadableFilesEndDoneWithTheLastSelectedAndTheExactSummary) {
  AddFiles(3);
  ScriptMessageDialogAnswers({0});
  RunJob();
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(Image(row), ImageRowDone);
    EXPECT_EQ(Hash(row), FileChecksum(platform::ListRowNativePath(MainWindow, FileList, row),
                                      AlgorithmCrc32, 0));
    EXPECT_EQ(Hash(row).size(), 8u);
  }
  EXPECT_EQ(platform::ListSelectedRows(MainWindow, FileList), std::vector<int>{2});
  EXPECT_EQ(platform::ProgressValue(MainWindow, JobProgress), 0);
  EXPECT_EQ(platform::ProgressMaximum(MainWindow, JobProgress), 3);
  ASSERT_EQ(ShownMessageDialogs().size(), 1u);
  EXPECT_EQ(Summary(), ExpectedSummary(u"tReqFINISHED", u"3\\3", u"0"));
  // Everything comes back, and Delete too because a row is selected.
  for (int control : {SourceField, BrowseButton, FileList, ClipboardButton, SaveButton,
                      DeleteButton, DeleteAllButton, Crc32Option, Sha3Option}) {
    EXPECT_TRUE(platform::IsControlEnabled(MainWindow, control)) << control;
  }
  EXPECT_FALSE(platform::IsControlEnabled(MainWindow, Bits256Option));  // CRC32 job
  for (int item : {MenuOpen, MenuQuit, MenuHelp, MenuAbout, MenuWeb}) {
    EXPECT_TRUE(platform::IsMenuItemEnabled(MainWindow, item)) << item;
  }
  EXPECT_EQ(platform::ControlText(MainWindow, CalculateButton), FixtureText(u"tMainCALCULATE"));
}

TEST_F(JobTest, RunningJobLocksTheWindowButTheCancelButtonAndLanguageItems) {
  AddFiles(2);
  std::atomic<bool> checked{false};
  g_step = [&](int row) {
    if (row == 0)
      ClickCalculateAndWaitForThePause();  // we look at the window meanwhile
  };
  g_dialogOpen = [&] {
    if (checked) {  // the summary at the end
      platform::SimulateKey(MessageWindow, platform::KeyReturn);
      return;
    }
    for (int control : {SourceField, BrowseButton, FileList, ClipboardButton, SaveButton,
                        DeleteButton, DeleteAllButton, Md5Option, Bits224Option}) {
      EXPECT_FALSE(platform::IsControlEnabled(MainWindow, control)) << control;
    }
    EXPECT_TRUE(platform::IsControlEnabled(MainWindow, CalculateButton));
    EXPECT_EQ(platform::ControlText(MainWindow, CalculateButton), FixtureText(u"tMainCANCEL"));
    EXPECT_FALSE(platform::IsMenuItemEnabled(MainWindow, MenuHelp));
    checked = true;
    platform::SimulateKey(MessageWindow, platform::KeyEscape);
  };
  RunJob();
  EXPECT_TRUE(checked);
  EXPECT_EQ(Summary(), ExpectedSummary(u"tReqFINISHED", u"2\\2", u"0"));
}

TEST_F(JobTest, DeletedFileFailsAndCountsWhileTheOthersAreUnaffected) {
  AddFiles(3);
  ASSERT_EQ(unlink(platform::ListRowNativePath(MainWindow, FileList, 1).c_str()), 0);
  ScriptMessageDialogAnswers({0});
  RunJob();
  EXPECT_EQ(Image(0), ImageRowDone);
  EXPECT_EQ(Image(1), ImageRowFailed);
  EXPECT_EQ(Hash(1), u"");
  EXPECT_EQ(Image(2), ImageRowDone);
  EXPECT_EQ(Summary(), ExpectedSummary(u"tReqFINISHED", u"3\\3", u"1"));
}

TEST_F(JobTest, FileNamedInBytesThatAreNotUtf8IsHashed) {
  const std::string file = temp.WriteFile("odd/na\xefme\xff.bin", "abc");
  AddPath(temp.path() + "odd");
  ScriptMessageDialogAnswers({0});
  RunJob();
  EXPECT_EQ(Image(0), ImageRowDone);
  // CRC-32/ISO-HDLC of "abc", as zlib computes it.
  EXPECT_EQ(Hash(0), u"352441c2");
}

TEST_F(JobTest, SpecialFilesFailWithoutBlockingTheJob) {
  temp.WriteFile("special/a.txt", "a");
  ASSERT_EQ(mkfifo((temp.path() + "special/pipe").c_str(), 0600), 0);
  AddPath(temp.path() + "special");
  AddPath("/dev/zero");
  ScriptMessageDialogAnswers({0});
  RunJob();
  EXPECT_EQ(Image(0), ImageRowDone);
  EXPECT_EQ(Image(1), ImageRowFailed);  // the FIFO
  EXPECT_EQ(Image(2), ImageRowFailed);  // a device
  EXPECT_EQ(Summary(), ExpectedSummary(u"tReqFINISHED", u"3\\3", u"2"));
}

struct CancelCase {
  int answer;
  const char16_t* firstLine;
  const char16_t* processed;
  int doneRows;
};

class CancelTest : public JobTest, public testing::WithParamInterface<CancelCase> {};

TEST_P(CancelTest, CancelAtTheThirdOfTenRows) {
  const CancelCase& c = GetParam();
  AddFiles(10);
  g_step = [](int row) {
    if (row == 2)
      ClickCalculateAndWaitForThePause();
  };
  ScriptMessageDialogAnswers({c.answer, 0});
  RunJob();
  ASSERT_EQ(ShownMessageDialogs().size(), 2u);
  EXPECT_EQ(ShownMessageDialogs()[0].text, FixtureText(u"tReqCANCEL"));
  for (int row = 0; row < 10; ++row) {
    const bool done = row < c.doneRows;
    EXPECT_EQ(Image(row), done ? ImageRowDone : ImageRowQueued) << row;
    EXPECT_EQ(Hash(row).empty(), !done) << row;
  }
  EXPECT_EQ(Summary(), ExpectedSummary(c.firstLine, c.processed, u"0"));
  EXPECT_EQ(AppState.JobCancelled, 0);
  EXPECT_EQ(AppState.CancelRequested, 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, CancelTest,
                         testing::Values(CancelCase{1, u"tReqCANCELLED", u"3\\10", 3},
                                         CancelCase{0, u"tReqFINISHED", u"10\\10", 10}));

TEST_F(JobTest, EndOfJobPostedAsTheCancelQuestionOpensIsNotLost) {
  AddFiles(2);
  g_step = [](int row) {
    // The click lands just before the worker posts its last event.
    if (row == -1)
      ClickCalculateAndWaitForThePause();
  };
  int dialogs = 0;
  g_dialogOpen = [&] {
    ++dialogs;
    platform::SleepMilliseconds(50);  // the worker posts the end of the job meanwhile
    platform::SimulateClick(MessageWindow, DialogRightButton);
  };
  RunJob();               // returns only once FinishJob has run
  EXPECT_EQ(dialogs, 2);  // the question, then the summary
  EXPECT_EQ(ShownMessageDialogs()[0].text, FixtureText(u"tReqCANCEL"));
  EXPECT_EQ(Summary(), ExpectedSummary(u"tReqFINISHED", u"2\\2", u"0"));
}

TEST_F(JobTest, CalculatingTwiceResetsEveryRowFirst) {
  AddFiles(2);
  ScriptMessageDialogAnswers({0, 0});
  RunJob();
  const std::u16string first = Hash(1);
  std::vector<int> imagesAtStart;
  g_step = [&](int row) {
    if (row == 0)
      imagesAtStart = {Image(0), Image(1)};
  };
  RunJob();
  EXPECT_EQ(imagesAtStart, (std::vector<int>{ImageRowQueued, ImageRowQueued}));
  EXPECT_EQ(Hash(1), first);
  EXPECT_EQ(Image(1), ImageRowDone);
}

struct DigestCase {
  int64_t algorithm;
  int64_t bits;  // 7: no digest-size option selected
  size_t digits;
};

class DigestSizeTest : public JobTest, public testing::WithParamInterface<DigestCase> {};

TEST_P(DigestSizeTest, RowsGetTheDigestOfTheChosenSize) {
  const DigestCase& c = GetParam();
  OpenFreshMainWindow(c.algorithm, c.bits);
  AddFiles(2);
  ScriptMessageDialogAnswers({0});
  RunJob();
  EXPECT_EQ(Hash(0).size(), c.digits);
  EXPECT_EQ(Hash(1).size(), c.digits);
  const bool bitsEnabled = c.algorithm == 3 || c.algorithm == 4;
  EXPECT_EQ(platform::IsControlEnabled(MainWindow, Bits224Option), bitsEnabled);
}

INSTANTIATE_TEST_SUITE_P(Sizes, DigestSizeTest,
                         testing::Values(DigestCase{1, 0, 32}, DigestCase{2, 0, 40},
                                         DigestCase{3, 2, 96}, DigestCase{4, 0, 56},
                                         DigestCase{3, 7, 64}, DigestCase{4, 7, 64},
                                         DigestCase{4, 3, 128}));

TEST_F(JobTest, AlgorithmOutsideTheRangeFailsEveryRow) {
  OpenFreshMainWindow(9, 0);
  AddFiles(3);
  ScriptMessageDialogAnswers({0});
  RunJob();
  for (int row = 0; row < 3; ++row)
    EXPECT_EQ(Image(row), ImageRowFailed);
  EXPECT_EQ(Summary(), ExpectedSummary(u"tReqFINISHED", u"3\\3", u"3"));
}

TEST_F(JobTest, ThousandsOfRowsCostFewRepaints) {
  constexpr int kRows = 3000;
  for (int i = 0; i < kRows; ++i) {
    platform::ListAppendRow(MainWindow, FileList, temp.path() + "missing", ImageRowQueued);
  }
  platform::SetControlEnabled(MainWindow, CalculateButton, true);
  const int64_t before = platform::ListRepaintCount();
  ScriptMessageDialogAnswers({0});
  RunJob();
  // Five changes per row; coalescing folds them into a repaint every few tens of milliseconds.
  EXPECT_LT(platform::ListRepaintCount() - before, kRows / 10);
  EXPECT_EQ(Image(kRows - 1), ImageRowFailed);
}

TEST_F(JobTest, SummaryUsesBackslashBetweenCountsAndLiteralLineBreaks) {
  EXPECT_EQ(JobSummary(true, 12, 40, 1), ExpectedSummary(u"tReqCANCELLED", u"12\\40", u"1"));
}

}  // namespace

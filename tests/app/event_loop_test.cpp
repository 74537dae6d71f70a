// The event loop's commands: list activity, deleting, choosing an algorithm, resizing, quitting,
// and the dispatch of events to them.
#include <gtest/gtest.h>

#include "app/event_loop.h"
#include "app/startup.h"
#include "dialogs/message_dialog.h"
#include "tests/support/app_fixture.h"

namespace {

using platform::Event;
using platform::EventKind;

class EventLoopTest : public MainWindowTest {
 protected:
  void AddRows(int count) {
    for (int i = 0; i < count; ++i) {
      platform::ListAppendRow(MainWindow, FileList, "/data/file" + std::to_string(i),
                              ImageRowQueued);
    }
    // What intake enables once rows came in.
    platform::SetControlEnabled(MainWindow, DeleteAllButton, true);
    platform::SetControlEnabled(MainWindow, CalculateButton, true);
    platform::SetControlText(MainWindow, SourceField, u"/data/");
  }
  bool Enabled(int control) { return platform::IsControlEnabled(MainWindow, control); }
  std::u16string LastQuestion() {
    const auto& shown = ShownMessageDialogs();
    return shown.empty() ? std::u16string() : shown.back().text;
  }
};

TEST_F(EventLoopTest, ListActivityEnablesExportAndDeleteOnlyWithRowsAndNoJob) {
  ListActivity();
  EXPECT_FALSE(Enabled(ClipboardButton));  // empty list

  AddRows(2);
  EXPECT_FALSE(Enabled(ClipboardButton));
  AppState.JobRunning = 1;
  ListActivity();
  EXPECT_FALSE(Enabled(SaveButton));

  AppState.JobRunning = 0;
  ListActivity();
  for (int control : {ClipboardButton, SaveButton, DeleteButton, DeleteAllButton}) {
    EXPECT_TRUE(Enabled(control)) << control;
  }
}

TEST_F(EventLoopTest, DeleteWithoutSelectionAsksNothing) {
  AddRows(3);
  ListActivity();
  DeleteSelectedRows();
  EXPECT_TRUE(ShownMessageDialogs().empty());
  EXPECT_EQ(platform::ListRowCount(MainWindow, FileList), 3);
}

TEST_F(EventLoopTest, OneQuestionRemovesEverySelectedRowKeepingTheOthersInOrder) {
  AddRows(5);
  ListActivity();
  for (int row : {0, 2, 4})
    platform::ListSetSelected(MainWindow, FileList, row, true);
  ScriptMessageDialogAnswers({1});
  DeleteSelectedRows();

  ASSERT_EQ(ShownMessageDialogs().size(), 1u);
  EXPECT_EQ(LastQuestion(), FixtureText(u"tReqDELETE"));
  ASSERT_EQ(platform::ListRowCount(MainWindow, FileList), 2);
  EXPECT_EQ(platform::ListCellText(MainWindow, FileList, 0, 0), u"/data/file1");
  EXPECT_EQ(platform::ListCellText(MainWindow, FileList, 1, 0), u"/data/file3");
  EXPECT_FALSE(Enabled(DeleteButton));
  for (int control : {ClipboardButton, SaveButton, DeleteAllButton, CalculateButton}) {
    EXPECT_TRUE(Enabled(control)) << control;
  }
}

TEST_F(EventLoopTest, DeletingTheLastRowsEmptiesTheSourceAndDisablesTheButtons) {
  AddRows(2);
  ListActivity();
  platform::ListSetSelected(MainWindow, FileList, 0, true);
  platform::ListSetSelected(MainWindow, FileList, 1, true);
  ScriptMessageDialogAnswers({1});
  DeleteSelectedRows();
  EXPECT_EQ(platform::ListRowCount(MainWindow, FileList), 0);
  EXPECT_EQ(platform::ControlText(MainWindow, SourceField), u"");
  for (int control :
       {ClipboardButton, SaveButton, DeleteButton, DeleteAllButton, CalculateButton}) {
    EXPECT_FALSE(Enabled(control)) << control;
  }
  EXPECT_TRUE(Enabled(BrowseButton));
}

TEST_F(EventLoopTest, DeleteAllEmptiesTheListAfterOneQuestion) {
  AddRows(4);
  ListActivity();
  ScriptMessageDialogAnswers({1});
  DeleteAllRows();
  EXPECT_EQ(LastQuestion(), FixtureText(u"tReqDELETEALL"));
  EXPECT_EQ(platform::ListRowCount(MainWindow, FileList), 0);
  EXPECT_EQ(platform::ControlText(MainWindow, SourceField), u"");
  EXPECT_FALSE(Enabled(CalculateButton));
}

TEST_F(EventLoopTest, AnsweringNoToEitherDeleteChangesNothing) {
  AddRows(3);
  ListActivity();
  platform::ListSetSelected(MainWindow, FileList, 1, true);
  ScriptMessageDialogAnswers({0, 0});
  DeleteSelectedRows();
  DeleteAllRows();
  EXPECT_EQ(ShownMessageDialogs().size(), 2u);
  EXPECT_EQ(platform::ListRowCount(MainWindow, FileList), 3);
  EXPECT_EQ(platform::ControlText(MainWindow, SourceField), u"/data/");
  for (int control :
       {ClipboardButton, SaveButton, DeleteButton, DeleteAllButton, CalculateButton}) {
    EXPECT_TRUE(Enabled(control)) << control;
  }
}

TEST_F(EventLoopTest, ChoosingAnAlgorithmSwitchesTheDigestSizesButKeepsTheirSelection) {
  struct Step {
    int option;
    int64_t algorithm;
    bool bitsEnabled;
  };
  const Step steps[] = {{Sha3Option, 4, true}, {Crc32Option, 0, false}, {Md5Option, 1, false},
                        {Sha2Option, 3, true}, {Sha1Option, 2, false},  {Sha1Option, 2, false}};
  platform::SetControlChecked(MainWindow, Bits512Option, true);
  for (const Step& step : steps) {
    ChooseAlgorithm(step.option);
    EXPECT_EQ(AppState.Algorithm, step.algorithm);
    for (int option : kBitsOptions)
      EXPECT_EQ(Enabled(option), step.bitsEnabled);
    EXPECT_TRUE(platform::IsControlChecked(MainWindow, Bits512Option));
  }
}

TEST_F(EventLoopTest, DigestSizeChosenUnderSha2SurvivesCrc32AtExit) {
  OpenFreshMainWindow(3, 0);
  platform::SetControlChecked(MainWindow, Bits384Option, true);
  platform::SetControlChecked(MainWindow, Crc32Option, true);
  ChooseAlgorithm(Crc32Option);
  ReadBackSelections();
  EXPECT_EQ(AppState.Algorithm, 0);
  EXPECT_EQ(AppState.Bits, 2);
}

TEST_F(EventLoopTest, NoSelectedOptionKeepsTheStoredValueAtExit) {
  OpenFreshMainWindow(9, 7);
  ReadBackSelections();
  EXPECT_EQ(AppState.Algorithm, 9);
  EXPECT_EQ(AppState.Bits, 7);
}

TEST_F(EventLoopTest, SizeEventRecordsTheInnerSizeAndLaysOutTheClientArea) {
  ShowMainWindowAndSettle();
  platform::ResizeWindow(MainWindow, {1000, 700});
  platform::ProcessPendingWork();
  HandleSizeEvent();
  EXPECT_EQ(AppState.WindowWidth, 1000);
  EXPECT_EQ(AppState.WindowHeight, 700);
  const platform::Size client = platform::WindowClientSize(MainWindow);
  EXPECT_EQ(client.width, 1000);
  EXPECT_LE(client.height, 700);  // the menu bar takes its share of the inner area
  EXPECT_EQ(platform::ControlRect(MainWindow, CalculateButton).x, client.width - 135);
  EXPECT_EQ(platform::ControlRect(MainWindow, JobProgress).y, client.height - 55);
}

TEST_F(EventLoopTest, WindowRefusesToShrinkBelowTheMinimum) {
  platform::ResizeWindow(MainWindow, {500, 400});
  EXPECT_EQ(platform::WindowInnerSize(MainWindow), (platform::Size{840, 600}));
}

struct QuitCase {
  bool fromCloseBox;
  int64_t jobRunning;
  int answer;
  const char16_t* question;
  int64_t quits;
  int64_t cancels;
};

class QuitTest : public EventLoopTest, public testing::WithParamInterface<QuitCase> {};

TEST_P(QuitTest, AsksTheRightQuestionAndActsOnTheAnswer) {
  const QuitCase& c = GetParam();
  AppState.JobRunning = c.jobRunning;
  ScriptMessageDialogAnswers({c.answer});
  ConfirmQuit(c.fromCloseBox);
  EXPECT_EQ(LastQuestion(), FixtureText(c.question));
  EXPECT_EQ(AppState.QuitRequested, c.quits);
  EXPECT_EQ(AppState.CancelRequested, c.cancels);
  EXPECT_EQ(AppState.JobCancelled, c.cancels);
}

INSTANTIATE_TEST_SUITE_P(Flows, QuitTest,
                         testing::Values(QuitCase{false, 0, 0, u"tReqSURETOEXIT", 0, 0},
                                         QuitCase{false, 0, 1, u"tReqSURETOEXIT", 1, 0},
                                         QuitCase{true, 0, 1, u"tReqSURETOEXIT", 1, 0},
                                         QuitCase{true, 0, 0, u"tReqSURETOEXIT", 0, 0},
                                         QuitCase{true, 1, 0, u"tReqINPROGRESSQUIT", 0, 0},
                                         QuitCase{true, 1, 1, u"tReqINPROGRESSQUIT", 1, 1}));

// Which question each event leads to, through the dispatch table.
struct DispatchCase {
  Event event;
  const char16_t* question;  // nullptr: no dialog
};

class DispatchTest : public EventLoopTest, public testing::WithParamInterface<DispatchCase> {};

TEST_P(DispatchTest, RoutesEventsToTheirCommands) {
  const DispatchCase& c = GetParam();
  AddRows(2);
  platform::ListSetSelected(MainWindow, FileList, 0, true);
  ScriptMessageDialogAnswers({0});
  DispatchEvent(c.event);
  if (c.question == nullptr) {
    EXPECT_TRUE(ShownMessageDialogs().empty());
  } else {
    EXPECT_EQ(LastQuestion(), FixtureText(c.question));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DispatchTest,
    testing::Values(DispatchCase{{EventKind::Control, MainWindow, DeleteButton, {}}, u"tReqDELETE"},
                    DispatchCase{{EventKind::Control, MainWindow, DeleteAllButton, {}},
                                 u"tReqDELETEALL"},
                    DispatchCase{{EventKind::Menu, MainWindow, MenuQuit, {}}, u"tReqSURETOEXIT"},
                    DispatchCase{{EventKind::Close, MainWindow, -1, {}}, u"tReqSURETOEXIT"},
                    DispatchCase{{EventKind::Control, AboutWindow, DeleteAllButton, {}}, nullptr},
                    DispatchCase{{EventKind::Control, 7, DeleteAllButton, {}}, nullptr},
                    DispatchCase{{EventKind::Control, MainWindow, SourceFrame, {}}, nullptr},
                    DispatchCase{{EventKind::Drop, MainWindow, SaveButton, "/nowhere"}, nullptr},
                    DispatchCase{{EventKind::Key, MainWindow, platform::KeyReturn, {}}, nullptr}));

TEST_F(EventLoopTest, AlgorithmOptionEventsChooseTheAlgorithm) {
  DispatchEvent({EventKind::Control, MainWindow, Sha2Option, {}});
  EXPECT_EQ(AppState.Algorithm, 3);
  EXPECT_TRUE(Enabled(Bits256Option));
  DispatchEvent({EventKind::Control, MainWindow, Bits384Option, {}});  // selects itself only
  EXPECT_EQ(AppState.Algorithm, 3);
  EXPECT_EQ(AppState.Bits, 0);
}

TEST_F(EventLoopTest, LoopEndsAfterTheQuitIsConfirmedThroughTheMenu) {
  ScriptMessageDialogAnswers({0, 1});
  platform::PostEvent({EventKind::Menu, MainWindow, MenuQuit, {}});
  platform::PostEvent({EventKind::Menu, MainWindow, MenuQuit, {}});
  RunEventLoop();
  EXPECT_EQ(ShownMessageDialogs().size(), 2u);
  EXPECT_EQ(AppState.QuitRequested, 1);
}

TEST_F(EventLoopTest, F1IssuesTheHelpCommandOnlyWhileHelpIsEnabled) {
  ShowMainWindowAndSettle();
  platform::SimulateKey(MainWindow, platform::KeyF1);
  auto event = platform::PollEvent();
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->kind, EventKind::Menu);
  EXPECT_EQ(event->id, MenuHelp);

  platform::SetMenuItemEnabled(MainWindow, MenuHelp, false);
  platform::SimulateKey(MainWindow, platform::KeyF1);
  EXPECT_FALSE(platform::PollEvent().has_value());
}

TEST_F(EventLoopTest, CloseBoxOfADisabledWindowIsIgnored) {
  ShowMainWindowAndSettle();
  platform::SetWindowEnabled(MainWindow, false);
  platform::SimulateClose(MainWindow);
  EXPECT_FALSE(platform::PollEvent().has_value());
  platform::SetWindowEnabled(MainWindow, true);
  platform::SimulateClose(MainWindow);
  auto event = platform::PollEvent();
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->kind, EventKind::Close);
}

}  // namespace

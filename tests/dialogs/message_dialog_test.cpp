// The message dialog: text, captions, button order, answers, geometry and the events it must
// not swallow. The dialog runs for real; a hook acts as the user once it is on screen.
#include <gtest/gtest.h>

#include <functional>

#include "dialogs/message_dialog.h"
#include "tests/support/app_fixture.h"

namespace {

using platform::Rect;

std::function<void()> g_whileOpen;
void RunWhileOpen() {
  if (g_whileOpen)
    g_whileOpen();
}

class MessageDialogTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ShowMainWindowAndSettle();
    SetMessageDialogOpenHook(RunWhileOpen);
  }
  void TearDown() override {
    SetMessageDialogOpenHook(nullptr);
    g_whileOpen = nullptr;
    MainWindowTest::TearDown();
  }
  // Shows the dialog; while it is open, inspects it and then acts as the user with `act`.
  int Show(const MessageDialogSpec& spec, const std::u16string& text, std::function<void()> act) {
    g_whileOpen = [this, act] {
      mainEnabledWhileOpen = platform::IsWindowEnabled(MainWindow);
      clientSize = platform::WindowClientSize(MessageWindow);
      title = platform::WindowTitle(MessageWindow);
      shownText = platform::ControlText(MessageWindow, DialogText);
      textRect = platform::ControlRect(MessageWindow, DialogText);
      hasStrip = platform::ControlExists(MessageWindow, DialogStrip);
      stripRect = platform::ControlRect(MessageWindow, DialogStrip);
      hasSecond = platform::ControlExists(MessageWindow, DialogSecondButton);
      secondCaption = platform::ControlText(MessageWindow, DialogSecondButton);
      secondRect = platform::ControlRect(MessageWindow, DialogSecondButton);
      rightCaption = platform::ControlText(MessageWindow, DialogRightButton);
      rightRect = platform::ControlRect(MessageWindow, DialogRightButton);
      act();
    };
    const int answer = ShowMessageDialog(spec, text);
    EXPECT_FALSE(platform::WindowExists(MessageWindow));
    EXPECT_TRUE(platform::IsWindowEnabled(MainWindow));
    return answer;
  }
  static void Click(int control) { platform::SimulateClick(MessageWindow, control); }

  bool mainEnabledWhileOpen = true;
  platform::Size clientSize;
  std::u16string title, shownText, secondCaption, rightCaption;
  Rect textRect, stripRect, secondRect, rightRect;
  bool hasStrip = false, hasSecond = false;
};

TEST_F(MessageDialogTest, WarningPresetLaysOutYesLeftOfNo) {
  const int answer = Show(AppState.WarningPreset, u"Delete?", [] { Click(DialogSecondButton); });
  EXPECT_EQ(answer, 1);  // the "yes" caption answers 1 wherever it stands
  EXPECT_FALSE(mainEnabledWhileOpen);
  EXPECT_EQ(title, FixtureText(u"tGenMESSAGE"));
  EXPECT_EQ(clientSize, (platform::Size{440, 120}));
  EXPECT_EQ(textRect, (Rect{74, 5, 361, 80}));
  EXPECT_EQ(stripRect, (Rect{0, 85, 440, 35}));
  EXPECT_EQ(secondCaption, FixtureText(u"tGenYES"));
  EXPECT_EQ(secondRect, (Rect{250, 90, 90, 25}));
  EXPECT_EQ(rightCaption, FixtureText(u"tGenNO"));
  EXPECT_EQ(rightRect, (Rect{345, 90, 90, 25}));
}

TEST_F(MessageDialogTest, NoticePresetHasOneButtonAtTheRight) {
  const int answer = Show(AppState.NoticePreset, u"Done", [] { Click(DialogRightButton); });
  EXPECT_EQ(answer, 0);  // a one-button dialog answers 0 when clicked while yes comes first
  EXPECT_FALSE(hasSecond);
  EXPECT_EQ(clientSize, (platform::Size{440, 160}));
  EXPECT_EQ(textRect, (Rect{74, 5, 361, 120}));
  EXPECT_EQ(stripRect, (Rect{0, 125, 440, 35}));
  EXPECT_EQ(rightRect, (Rect{345, 130, 90, 25}));
  EXPECT_EQ(rightCaption, FixtureText(u"tGenOK"));
}

TEST_F(MessageDialogTest, BackslashNBreaksLinesInEitherCaseOnly) {
  Show(AppState.NoticePreset, u"One\\nTwo\\NThree\\tFour\\", [] { Click(DialogRightButton); });
  EXPECT_EQ(shownText, u"One\nTwo\nThree\\tFour\\");
}

struct CaptionCase {
  const char16_t* buttons;
  bool twoButtons;
  const char16_t* rightCaption;  // with yes first, the first caption stands at the right
  const char16_t* secondCaption;
};

class CaptionTest : public MessageDialogTest, public testing::WithParamInterface<CaptionCase> {};

TEST_P(CaptionTest, SplitsCaptionsAtTheFirstTwoSeparators) {
  const CaptionCase& c = GetParam();
  MessageDialogSpec spec = AppState.QuestionPreset;
  spec.Buttons = c.buttons;
  Show(spec, u"?", [] { platform::SimulateKey(MessageWindow, platform::KeyEscape); });
  EXPECT_EQ(hasSecond, c.twoButtons);
  EXPECT_EQ(rightCaption, c.rightCaption);
  if (c.twoButtons) {
    EXPECT_EQ(secondCaption, c.secondCaption);
  }
}

INSTANTIATE_TEST_SUITE_P(Separators, CaptionTest,
                         testing::Values(CaptionCase{u"Only", false, u"Only", u""},
                                         CaptionCase{u"No|Yes", true, u"No", u"Yes"},
                                         CaptionCase{u"No|Yes|Maybe", true, u"No", u"Yes"},
                                         CaptionCase{u"|Yes", true, u"", u"Yes"}));

TEST_F(MessageDialogTest, ButtonOrderFollowsYesFirst) {
  AppState.DialogYesFirst = 0;
  int answer = Show(AppState.WarningPreset, u"?", [] { Click(DialogRightButton); });
  EXPECT_EQ(rightCaption, FixtureText(u"tGenYES"));
  EXPECT_EQ(secondCaption, FixtureText(u"tGenNO"));
  EXPECT_EQ(answer, 1);
  answer = Show(AppState.WarningPreset, u"?", [] { Click(DialogSecondButton); });
  EXPECT_EQ(answer, 0);
}

struct KeyCase {
  const char* name;
  std::function<void()> act;
  int answer;
};

TEST_F(MessageDialogTest, ReturnEscapeAndCloseBoxAnswer) {
  const KeyCase cases[] = {
      {"Return with focus on the no button",
       [] {
         platform::SetFocus(MessageWindow, DialogRightButton);
         platform::SimulateKey(MessageWindow, platform::KeyReturn);
       },
       1},
      {"Escape", [] { platform::SimulateKey(MessageWindow, platform::KeyEscape); }, 0},
      {"close box", [] { platform::SimulateClose(MessageWindow); }, 0},
      {"click on no", [] { Click(DialogRightButton); }, 0},
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(Show(AppState.WarningPreset, u"?", c.act), c.answer) << c.name;
  }
}

TEST_F(MessageDialogTest, ReturnAnswersOneInAOneButtonDialog) {
  EXPECT_EQ(Show(AppState.NoticePreset, u"!",
                 [] { platform::SimulateKey(MessageWindow, platform::KeyReturn); }),
            1);
}

TEST_F(MessageDialogTest, TallImageGrowsTheWindowOnlyWhenNeeded) {
  constexpr int kTallImage = 90;
  platform::CreateBlankImage(kTallImage, {64, 130});
  MessageDialogSpec spec = AppState.WarningPreset;
  spec.Image = kTallImage;
  Show(spec, u"?", [] { Click(DialogRightButton); });
  EXPECT_EQ(clientSize.height, 140);
  EXPECT_EQ(rightRect.y, 110);
  spec.Height = 160;
  Show(spec, u"?", [] { Click(DialogRightButton); });
  EXPECT_EQ(clientSize.height, 160);
}

TEST_F(MessageDialogTest, ButtonAlignTwoShowsOnlyTheRightButtonButKeysStillAnswer) {
  MessageDialogSpec spec = AppState.WarningPreset;
  spec.ButtonAlign = 2;
  EXPECT_EQ(Show(spec, u"?", [] { platform::SimulateKey(MessageWindow, platform::KeyReturn); }), 1);
  EXPECT_FALSE(hasSecond);
  EXPECT_EQ(Show(spec, u"?", [] { platform::SimulateKey(MessageWindow, platform::KeyEscape); }), 0);
}

TEST_F(MessageDialogTest, ButtonAlignZeroPutsTheSecondButtonUnderTheText) {
  MessageDialogSpec spec = AppState.WarningPreset;
  spec.ButtonAlign = 0;
  Show(spec, u"?", [] { Click(DialogRightButton); });
  EXPECT_EQ(secondRect.x, 74);
  spec.Image = -1;
  Show(spec, u"?", [] { Click(DialogRightButton); });
  EXPECT_EQ(secondRect.x, 5);
  EXPECT_EQ(textRect, (Rect{5, 5, 430, 80}));
}

struct StripCase {
  int64_t style;
  bool exists;
  Rect rect;
};

TEST_F(MessageDialogTest, StripStylesDrawLineBandOrNothing) {
  const StripCase cases[] = {
      {0, false, {}},
      {1, true, {74, 85, 361, 1}},
      {2, true, {0, 85, 440, 1}},
      {3, true, {0, 85, 440, 35}},
      {4, false, {}},
      {-1, false, {}},
  };
  for (const StripCase& c : cases) {
    MessageDialogSpec spec = AppState.QuestionPreset;
    spec.BarStyle = c.style;
    Show(spec, u"?", [] { Click(DialogRightButton); });
    EXPECT_EQ(hasStrip, c.exists) << "style " << c.style;
    if (c.exists) {
      EXPECT_EQ(stripRect, c.rect) << "style " << c.style;
    }
  }
}

TEST_F(MessageDialogTest, EndOfJobEventPostedWhileOpenReachesTheMainLoopAfterwards) {
  Show(AppState.QuestionPreset, u"Cancel?", [] {
    platform::PostEvent({platform::EventKind::Menu, MainWindow, MenuAbout, {}});  // dropped
    platform::PostEvent({platform::EventKind::Custom, MainWindow, EventJobFinished, {}});
    platform::PostEvent({platform::EventKind::Control, MainWindow, SaveButton, {}});  // dropped
    Click(DialogRightButton);
  });
  auto event = platform::PollEvent();
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->kind, platform::EventKind::Custom);
  EXPECT_EQ(event->id, EventJobFinished);
  EXPECT_FALSE(platform::PollEvent().has_value());
}

TEST_F(MessageDialogTest, DialogThatCannotBeCreatedAnswersZeroAndReenablesTheMainWindow) {
  // The dialog's window number is taken, so its window cannot be opened.
  ASSERT_TRUE(platform::OpenWindow(MessageWindow, {u"in the way", {0, 0, 10, 10}, 0, -1}));
  EXPECT_EQ(ShowMessageDialog(AppState.WarningPreset, u"?"), 0);
  EXPECT_TRUE(platform::IsWindowEnabled(MainWindow));
}

TEST_F(MessageDialogTest, PresetTextsFollowTheStringTable) {
  AppState.StringTable[u"tGenYES"] = u"Ja";
  AppState.StringTable[u"tGenNO"] = u"Nein";
  UpdatePresetTexts();
  EXPECT_EQ(AppState.WarningPreset.Buttons, u"Nein|Ja");
  EXPECT_EQ(AppState.NoticePreset.Buttons, FixtureText(u"tGenOK"));
  EXPECT_EQ(AppState.NoticePreset.Height, 160);
  EXPECT_EQ(AppState.WarningPreset.TextColor, 0);
  EXPECT_EQ(AppState.QuestionPreset.Image, ImageQuestion);
}

}  // namespace

// The About window: its layout, its texts, and its modal behaviour inside the main loop.
#include <gtest/gtest.h>

#include "app/event_loop.h"
#include "dialogs/about.h"
#include "tests/support/app_fixture.h"

namespace {

using platform::Rect;

class AboutTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ShowMainWindowAndSettle();
  }
};

TEST_F(AboutTest, OpensWithLogoTitleCreditsAndOkInTheirPlaces) {
  AppState.StringTable[u"tAboutCODE"] = u"Code by\\nus";
  ShowAboutWindow();
  ASSERT_TRUE(platform::WindowExists(AboutWindow));
  EXPECT_FALSE(platform::IsWindowEnabled(MainWindow));
  EXPECT_EQ(platform::WindowTitle(AboutWindow), FixtureText(u"tAboutTITLE"));
  EXPECT_EQ(platform::WindowClientSize(AboutWindow), (platform::Size{600, 250}));
  EXPECT_EQ(platform::ControlRect(AboutWindow, AboutLogo), (Rect{5, 5, 128, 128}));
  EXPECT_EQ(platform::ControlRect(AboutWindow, AboutTitle), (Rect{150, 10, 445, 45}));
  EXPECT_EQ(platform::ControlRect(AboutWindow, AboutText), (Rect{150, 55, 445, 160}));
  EXPECT_EQ(platform::ControlRect(AboutWindow, AboutOkButton), (Rect{495, 220, 100, 25}));
  EXPECT_EQ(platform::ControlText(AboutWindow, AboutTitle), u"Sumvane");
  EXPECT_EQ(platform::ControlFont(AboutWindow, AboutTitle), FontAboutTitle);
  EXPECT_EQ(platform::ControlText(AboutWindow, AboutOkButton), FixtureText(u"tGenOK"));
  // The language's line is shown as typed: only the message dialog breaks at backslash-n.
  EXPECT_EQ(platform::ControlText(AboutWindow, AboutText),
            u"v1.0.0.0 (x64)\n\nCode by\\nus\nThe Sumvane developers\n\n© 2026 Morvandel\n"
            u"Morvandel\n\nhttps://www.morvandel.example/sumvane/\n");
}

TEST_F(AboutTest, OnlyOkAndTheCloseBoxCloseIt) {
  const platform::Event closers[] = {
      {platform::EventKind::Control, AboutWindow, AboutOkButton, {}},
      {platform::EventKind::Close, AboutWindow, -1, {}},
  };
  for (const platform::Event& closer : closers) {
    ShowAboutWindow();
    DispatchEvent({platform::EventKind::Control, AboutWindow, AboutTitle, {}});
    DispatchEvent({platform::EventKind::Key, AboutWindow, platform::KeyEscape, {}});
    EXPECT_TRUE(platform::WindowExists(AboutWindow));
    DispatchEvent(closer);
    EXPECT_FALSE(platform::WindowExists(AboutWindow));
    EXPECT_TRUE(platform::IsWindowEnabled(MainWindow));
  }
}

TEST_F(AboutTest, MainWindowTakesNoInputWhileItIsOpen) {
  ShowAboutWindow();
  platform::SimulateKey(MainWindow, platform::KeyF1);
  platform::SimulateMenu(MainWindow, MenuQuit);
  platform::SimulateClose(MainWindow);
  platform::ProcessPendingWork();
  while (auto event = platform::PollEvent()) {
    EXPECT_NE(event->window, MainWindow) << static_cast<int>(event->kind);
  }
  DispatchEvent({platform::EventKind::Control, AboutWindow, AboutOkButton, {}});
}

TEST_F(AboutTest, TheAboutMenuItemOpensIt) {
  DispatchEvent({platform::EventKind::Menu, MainWindow, MenuAbout, {}});
  EXPECT_TRUE(platform::WindowExists(AboutWindow));
  DispatchEvent({platform::EventKind::Close, AboutWindow, -1, {}});
}

}  // namespace

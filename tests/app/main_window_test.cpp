// The main window: its layout formulas, its start state and the restored selections.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/startup.h"
#include "tests/support/app_fixture.h"

namespace {

using platform::Rect;

struct ExpectedRect {
  int control;
  Rect rect;
};

// The worked example of the layout for a client area of 840 × 600.
const ExpectedRect kLayout840x600[] = {
    {SourceFrame, {5, 5, 830, 433}},       {SourceField, {10, 23, 695, 27}},
    {BrowseButton, {710, 23, 120, 27}},    {FileList, {10, 63, 820, 335}},
    {ClipboardButton, {10, 405, 120, 27}}, {SaveButton, {135, 405, 120, 27}},
    {DeleteButton, {585, 405, 120, 27}},   {DeleteAllButton, {710, 405, 120, 27}},
    {SettingsFrame, {5, 450, 830, 80}},    {AlgorithmLabel, {10, 470, 100, 22}},
    {Crc32Option, {130, 468, 70, 22}},     {Md5Option, {220, 468, 70, 22}},
    {Sha1Option, {310, 468, 70, 22}},      {Sha2Option, {400, 468, 70, 22}},
    {Sha3Option, {490, 468, 70, 22}},      {BitsLabel, {10, 500, 100, 22}},
    {Bits224Option, {130, 498, 70, 22}},   {Bits256Option, {220, 498, 70, 22}},
    {Bits384Option, {310, 498, 70, 22}},   {Bits512Option, {400, 498, 70, 22}},
    {JobProgress, {5, 545, 695, 27}},      {CalculateButton, {705, 540, 130, 35}},
};

TEST_F(MainWindowTest, LayoutMatchesTheWorkedExampleFor840x600) {
  LayoutControls(840, 600);
  for (const ExpectedRect& expected : kLayout840x600) {
    EXPECT_EQ(platform::ControlRect(MainWindow, expected.control), expected.rect)
        << "control " << expected.control;
  }
  EXPECT_EQ(platform::ListColumnWidth(MainWindow, FileList, 0), 410);
  EXPECT_EQ(platform::ListColumnWidth(MainWindow, FileList, 1), 410);
}

TEST_F(MainWindowTest, WideningTo1200MovesCalculateAndHalvesTheColumns) {
  LayoutControls(1200, 600);
  EXPECT_EQ(platform::ControlRect(MainWindow, CalculateButton).x, 1065);
  EXPECT_EQ(platform::ControlRect(MainWindow, FileList).width, 1180);
  EXPECT_EQ(platform::ListColumnWidth(MainWindow, FileList, 0), 590);
  EXPECT_EQ(platform::ListColumnWidth(MainWindow, FileList, 1), 590);
  // Constant coordinates stay where they were.
  EXPECT_EQ(platform::ControlRect(MainWindow, SaveButton).x, 135);
  EXPECT_EQ(platform::ControlRect(MainWindow, JobProgress).width, 1055);
}

TEST_F(MainWindowTest, OddListWidthRoundsColumnsTowardZero) {
  LayoutControls(841, 600);
  EXPECT_EQ(platform::ListColumnWidth(MainWindow, FileList, 0), 410);
  EXPECT_EQ(platform::ListColumnWidth(MainWindow, FileList, 1), 410);
}

TEST_F(MainWindowTest, OpensWithTitleSizeAndInitialColumns) {
  EXPECT_EQ(platform::WindowTitle(MainWindow), u"Sumvane v1.0.0.0 (x64) - Morvandel");
  EXPECT_EQ(platform::WindowInnerSize(MainWindow), (platform::Size{840, 600}));
  EXPECT_FALSE(platform::IsWindowVisible(MainWindow));  // shown later by start-up
  EXPECT_EQ(platform::ListColumnWidth(MainWindow, FileList, 0), 600);
  EXPECT_EQ(platform::ListColumnWidth(MainWindow, FileList, 1), 410);
}

TEST_F(MainWindowTest, StoredSizeBelowTheMinimumOpensAtTheMinimum) {
  platform::DestroyWindow(MainWindow);
  AppState.WindowWidth = 500;
  AppState.WindowHeight = 300;
  ASSERT_TRUE(OpenMainWindow());
  EXPECT_EQ(platform::WindowInnerSize(MainWindow), (platform::Size{840, 600}));
}

TEST_F(MainWindowTest, CaptionsComeFromTheStringTableAndOptionsAreFixed) {
  EXPECT_EQ(platform::ControlText(MainWindow, SourceFrame), FixtureText(u"tMainSOURCE"));
  EXPECT_EQ(platform::ControlText(MainWindow, CalculateButton), FixtureText(u"tMainCALCULATE"));
  EXPECT_EQ(platform::ControlToolTip(MainWindow, SourceField), FixtureText(u"tMainSOURCETIP"));
  EXPECT_EQ(platform::ListHeader(MainWindow, FileList, 1), FixtureText(u"tMainHASH"));
  EXPECT_EQ(platform::ControlText(MainWindow, Sha3Option), u"SHA3");
  EXPECT_EQ(platform::ControlText(MainWindow, Bits384Option), u"384");
  EXPECT_EQ(platform::ControlFont(MainWindow, CalculateButton), FontCalculate);
  EXPECT_EQ(platform::ControlFont(MainWindow, FileList), FontList);
}

TEST_F(MainWindowTest, MenusHoldTheirItemsImagesAndSeparators) {
  EXPECT_EQ(platform::MenuTitle(MainWindow, 0), FixtureText(u"tMenuFILE"));
  EXPECT_EQ(platform::MenuTitle(MainWindow, 2), FixtureText(u"tMenuHELP"));
  EXPECT_EQ(platform::MenuItems(MainWindow, 0), (std::vector<int>{MenuOpen, -1, MenuQuit}));
  EXPECT_EQ(platform::MenuItems(MainWindow, 2),
            (std::vector<int>{MenuHelp, -1, MenuAbout, -1, MenuWeb}));
  EXPECT_TRUE(platform::MenuItems(MainWindow, 1).empty());  // no languages in this test
  EXPECT_EQ(platform::MenuItemImage(MainWindow, MenuQuit), ImageMenuQuit);
  EXPECT_EQ(platform::MenuItemImage(MainWindow, MenuWeb), ImageWeb);
  EXPECT_EQ(platform::ImageSize(ImageMenuOpen), (platform::Size{16, 16}));
}

TEST_F(MainWindowTest, StartsIdleWithOnlyBrowseAmongTheButtons) {
  EXPECT_TRUE(platform::IsControlChecked(MainWindow, Crc32Option));
  EXPECT_TRUE(platform::IsControlChecked(MainWindow, Bits224Option));
  for (int control : {ClipboardButton, SaveButton, DeleteButton, DeleteAllButton, CalculateButton,
                      Bits224Option, Bits256Option, Bits384Option, Bits512Option}) {
    EXPECT_FALSE(platform::IsControlEnabled(MainWindow, control)) << control;
  }
  for (int control : {SourceField, BrowseButton, FileList, Crc32Option, Sha3Option}) {
    EXPECT_TRUE(platform::IsControlEnabled(MainWindow, control)) << control;
  }
}

struct RestoreCase {
  int64_t algorithm;
  int64_t bits;
  int checkedAlgorithm;  // -1: none
  int checkedBits;       // -1: none
  bool bitsEnabled;
};

class RestoreSelectionsTest : public MainWindowTest,
                              public testing::WithParamInterface<RestoreCase> {};

TEST_P(RestoreSelectionsTest, SelectsStoredOptionsAndEnablesDigestSizes) {
  const RestoreCase& c = GetParam();
  OpenFreshMainWindow(c.algorithm, c.bits);
  for (int option : kAlgorithmOptions) {
    EXPECT_EQ(platform::IsControlChecked(MainWindow, option), option == c.checkedAlgorithm);
  }
  for (int option : kBitsOptions) {
    EXPECT_EQ(platform::IsControlChecked(MainWindow, option), option == c.checkedBits);
    EXPECT_EQ(platform::IsControlEnabled(MainWindow, option), c.bitsEnabled);
  }
}

INSTANTIATE_TEST_SUITE_P(StoredValues, RestoreSelectionsTest,
                         testing::Values(RestoreCase{0, 0, Crc32Option, Bits224Option, false},
                                         RestoreCase{1, 1, Md5Option, Bits256Option, false},
                                         RestoreCase{2, 3, Sha1Option, Bits512Option, false},
                                         RestoreCase{3, 2, Sha2Option, Bits384Option, true},
                                         RestoreCase{4, 3, Sha3Option, Bits512Option, true},
                                         RestoreCase{7, 1, -1, Bits256Option, true},
                                         RestoreCase{-1, 7, -1, -1, true},
                                         RestoreCase{0, 7, Crc32Option, -1, false}));

}  // namespace

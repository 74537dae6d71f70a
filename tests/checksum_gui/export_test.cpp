// Exporting results: the saved file and the clipboard carry the same bytes; saving never
// leaves a half-written file and says when it failed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "checksum/export.h"
#include "dialogs/message_dialog.h"
#include "platform/text.h"
#include "tests/support/app_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

class ExportTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // Computed, failed and not yet computed rows; a comma and non-ASCII letters in paths.
    AddRow("/data/a,b.txt", u"0a1b2c3d");
    AddRow("/data/failed.bin", u"");
    AddRow("/data/\xc3\xa9t\xc3\xa9.txt", u"ffffffff");
  }
  void AddRow(const std::string& path, const std::u16string& checksum) {
    const int row = platform::ListRowCount(MainWindow, FileList);
    platform::ListAppendRow(MainWindow, FileList, path, ImageRowDone);
    platform::ListSetCellText(MainWindow, FileList, row, 1, checksum);
  }
  static constexpr char kExpected[] =
      "/data/a,b.txt,0a1b2c3d\r\n/data/failed.bin,\r\n/data/\xc3\xa9t\xc3\xa9.txt,ffffffff\r\n";
  TempFolder temp;
};

TEST_F(ExportTest, SaveWritesOneLinePerRowInUtf8WithoutMark) {
  platform::SetControlText(MainWindow, SourceField, u"/data/");
  platform::ScriptFileDialogAnswers({{temp.path() + "results"}});
  SaveResults();
  const platform::FileDialogRecord dialog = platform::LastFileDialog();
  EXPECT_EQ(dialog.title, FixtureText(u"tReqSAVEDATA"));
  EXPECT_EQ(dialog.filter, FixtureText(u"tReqSAVEPATTERN"));
  EXPECT_EQ(dialog.start, "/data/Checksum");
  EXPECT_EQ(ReadFileBytes(temp.path() + "results.txt"), kExpected);
  EXPECT_TRUE(ShownMessageDialogs().empty());
  EXPECT_TRUE(platform::IsWindowEnabled(MainWindow));
}

TEST_F(ExportTest, SaveProposesChecksumInTheDefaultFolderWithoutASource) {
  platform::ScriptFileDialogAnswers({{}});
  SaveResults();
  EXPECT_EQ(platform::LastFileDialog().start, "Checksum");
}

TEST_F(ExportTest, SaveNamesGetTxtOnlyWithoutAnExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"results", "results.txt"},
      {"results.csv", "results.csv"},
      {"results.", "results..txt"},
      {"archive.2024 final", "archive.2024 final.txt"},
  };
  for (const auto& [typed, written] : cases) {
    platform::ScriptFileDialogAnswers({{temp.path() + typed}});
    SaveResults();
    EXPECT_EQ(ReadFileBytes(temp.path() + written), kExpected) << typed;
  }
}

TEST_F(ExportTest, SaveReplacesAnExistingFileWithoutAsking) {
  const std::string target = temp.WriteFile("old.txt", "old content that is longer than the new");
  platform::ScriptFileDialogAnswers({{target}});
  SaveResults();
  EXPECT_EQ(ReadFileBytes(target), kExpected);
  EXPECT_TRUE(ShownMessageDialogs().empty());
}

TEST_F(ExportTest, FailedSaveWarnsAndLeavesTheOldFileWhole) {
  // A folder of that name cannot be replaced by a file.
  const std::string folder = temp.MakeFolder("taken.txt");
  temp.WriteFile("taken.txt/inside", "keep");
  platform::ScriptFileDialogAnswers({{folder}});
  ScriptMessageDialogAnswers({0});
  SaveResults();
  ASSERT_EQ(ShownMessageDialogs().size(), 1u);
  EXPECT_EQ(ShownMessageDialogs()[0].text, FixtureText(u"tReqSAVEERROR"));
  EXPECT_EQ(ShownMessageDialogs()[0].spec.Image, ImageWarning);
  EXPECT_EQ(ReadFileBytes(folder + "/inside"), "keep");
  EXPECT_TRUE(platform::IsWindowEnabled(MainWindow));

  // A folder that does not exist: nothing is created, and the user is told.
  ClearShownMessageDialogs();
  platform::ScriptFileDialogAnswers({{temp.path() + "no/such/folder/out.txt"}});
  ScriptMessageDialogAnswers({0});
  SaveResults();
  ASSERT_EQ(ShownMessageDialogs().size(), 1u);
  struct stat info {};
  EXPECT_NE(stat((temp.path() + "no").c_str(), &info), 0);
}

TEST_F(ExportTest, ClipboardHoldsTheSameTextAsTheSavedFile) {
  ScriptMessageDialogAnswers({0});
  CopyResults();
  EXPECT_EQ(platform::ClipboardText(), platform::Utf8ToUtf16(kExpected));
  ASSERT_EQ(ShownMessageDialogs().size(), 1u);
  EXPECT_EQ(ShownMessageDialogs()[0].text, FixtureText(u"tReqCLIPBOARD"));
  EXPECT_EQ(ShownMessageDialogs()[0].spec.Height, 120);
  EXPECT_EQ(AppState.NoticePreset.Height, 160);
}

TEST_F(ExportTest, EmptyListExportsNothing) {
  platform::ListClear(MainWindow, FileList);
  ScriptMessageDialogAnswers({0});
  CopyResults();
  EXPECT_EQ(platform::ClipboardText(), u"");
}

}  // namespace

// Taking files in: the open dialog, drops of files and folders, and the command line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/event_loop.h"
#include "checksum/intake.h"
#include "tests/support/app_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

class IntakeTest : public MainWindowTest {
 protected:
  int Rows() { return platform::ListRowCount(MainWindow, FileList); }
  std::u16string Row(int row) { return platform::ListCellText(MainWindow, FileList, row, 0); }
  std::u16string Source() { return platform::ControlText(MainWindow, SourceField); }
  bool Enabled(int control) { return platform::IsControlEnabled(MainWindow, control); }
  static std::u16string U(const std::string& text) {
    return std::u16string(text.begin(), text.end());
  }
  TempFolder temp;
};

TEST_F(IntakeTest, BrowseAppendsTheChosenFilesAndTakesTheFirstOnesFolder) {
  platform::SetControlText(MainWindow, SourceField, U(temp.path() + "start/x"));
  platform::ScriptFileDialogAnswers({{"/a/one.txt", "/b/two.txt"}});
  BrowseForFiles();
  const platform::FileDialogRecord dialog = platform::LastFileDialog();
  EXPECT_EQ(dialog.title, FixtureText(u"tReqOPENFILE"));
  EXPECT_EQ(dialog.filter, FixtureText(u"tReqOPENPATTERN"));
  EXPECT_EQ(dialog.start, temp.path() + "start/");
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Row(0), u"/a/one.txt");
  EXPECT_EQ(Row(1), u"/b/two.txt");
  EXPECT_EQ(platform::ListRowImage(MainWindow, FileList, 0), ImageRowQueued);
  EXPECT_EQ(Source(), u"/a/");
  EXPECT_TRUE(Enabled(DeleteAllButton));
  EXPECT_TRUE(Enabled(CalculateButton));
  EXPECT_FALSE(Enabled(ClipboardButton));  // until the list reports activity
}

TEST_F(IntakeTest, CancelledBrowseChangesNothing) {
  platform::ScriptFileDialogAnswers({{}});
  BrowseForFiles();
  EXPECT_EQ(Rows(), 0);
  EXPECT_FALSE(Enabled(CalculateButton));
}

TEST_F(IntakeTest, DroppedFolderGivesItsFilesSortedButNotItsSubFolders) {
  temp.WriteFile("drop/b.txt", "b");
  temp.WriteFile("drop/A.txt", "a");
  temp.WriteFile("drop/.hidden", "h");
  temp.WriteFile("drop/sub/deep.txt", "d");
  AddDroppedPaths(temp.path() + "drop");
  ASSERT_EQ(Rows(), 3);
  EXPECT_EQ(Row(0), U(temp.path() + "drop/.hidden"));
  EXPECT_EQ(Row(1), U(temp.path() + "drop/A.txt"));
  EXPECT_EQ(Row(2), U(temp.path() + "drop/b.txt"));
  EXPECT_EQ(Source(), U(temp.path() + "drop/"));
}

TEST_F(IntakeTest, EmptyFolderAddsNothingButSetsTheSourceWhenRowsExist) {
  const std::string empty = temp.MakeFolder("empty");
  AddPath(empty);
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(Source(), u"");
  EXPECT_FALSE(Enabled(CalculateButton));

  AddPath(temp.WriteFile("f.bin", "x"));
  AddPath(empty + "/");  // a trailing separator names the same folder
  EXPECT_EQ(Rows(), 1);
  EXPECT_EQ(Source(), U(empty + "/"));
}

TEST_F(IntakeTest, SeveralDroppedItemsAddInOrderAndTheLastSetsTheSource) {
  const std::string first = temp.WriteFile("one/1.txt", "1");
  temp.WriteFile("two/2.txt", "2");
  const std::string third = temp.WriteFile("three/3.txt", "3");
  AddDroppedPaths(first + "\n" + temp.path() + "two\n\n" + temp.path() + "missing\n" + third);
  ASSERT_EQ(Rows(), 3);
  EXPECT_EQ(Row(1), U(temp.path() + "two/2.txt"));
  EXPECT_EQ(Source(), U(temp.path() + "three/"));
}

TEST_F(IntakeTest, SameFileTwiceGivesTwoRows) {
  const std::string file = temp.WriteFile("twice/f", "x");
  AddPath(file);
  AddPath(temp.path() + "twice");
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Row(0), Row(1));
}

TEST_F(IntakeTest, MissingPathIsIgnoredSilently) {
  AddPath(temp.path() + "nothing-here");
  AddPath("");
  EXPECT_EQ(Rows(), 0);
}

TEST_F(IntakeTest, RelativeCommandLineFileIsAddedUnchangedWithAnEmptySource) {
  const std::string file = temp.WriteFile("relative.txt", "r");
  ASSERT_EQ(chdir(temp.path().c_str()), 0);
  AppState.CommandLineSource = "relative.txt";
  AddStartupPath();
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(Row(0), u"relative.txt");
  EXPECT_EQ(Source(), u"");
  ASSERT_EQ(chdir("/"), 0);
}

TEST_F(IntakeTest, NameThatIsNotUtf8KeepsItsBytes) {
  const std::string bytes = temp.path() + "bad\xff\xfe.bin";
  temp.WriteFile("bad\xff\xfe.bin", "content");
  AddPath(temp.path());
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(platform::ListRowNativePath(MainWindow, FileList, 0), bytes);
  EXPECT_NE(Row(0).find(u'\xFFFD'), std::u16string::npos);  // shown with replacement marks
}

TEST_F(IntakeTest, DropFromAFileManagerDecodesItsUriList) {
  const std::string spaced = temp.WriteFile("with space/a b.txt", "x");
  temp.WriteFile("raw\xff.bin", "y");
  const std::string uris = "# a comment line\r\nfile://" + temp.path() + "with%20space\r\n" +
                           "http://example.invalid/ignored\r\nfile://localhost" + temp.path() +
                           "raw%FF.bin\r\n";
  platform::SimulateDrop(MainWindow, FileList, uris);
  const std::optional<platform::Event> drop = platform::PollEvent();
  ASSERT_TRUE(drop.has_value());
  EXPECT_EQ(drop->kind, platform::EventKind::Drop);
  EXPECT_EQ(drop->id, FileList);
  EXPECT_EQ(drop->data, temp.path() + "with space\n" + temp.path() + "raw\xff.bin");
  DispatchEvent(*drop);
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(platform::ListRowNativePath(MainWindow, FileList, 0), spaced);
  EXPECT_EQ(platform::ListRowNativePath(MainWindow, FileList, 1), temp.path() + "raw\xff.bin");
}

TEST_F(IntakeTest, DisabledListTakesNoDrop) {
  platform::SetControlEnabled(MainWindow, FileList, false);
  platform::SimulateDrop(MainWindow, FileList, "file://" + temp.path() + "\r\n");
  EXPECT_FALSE(platform::PollEvent().has_value());
}

TEST_F(IntakeTest, NoStartupPathAddsNothing) {
  AppState.CommandLineSource.clear();
  AddStartupPath();
  EXPECT_EQ(Rows(), 0);
}

}  // namespace

#include "pagelight/help_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "pagelight/find_bar.h"
#include "tests/pagelight/test_files.h"

namespace pagelight {
namespace {

using pagelight_test::Scratch;

class HelpWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window_.resize(900, 700);
    window_.show();
    QApplication::setActiveWindow(&window_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  // Shows a page written for the test.
  void ShowPage(const QByteArray& markdown) {
    const QString path = scratch_.Write(QStringLiteral("page.help"), markdown);
    ASSERT_FALSE(path.isEmpty());
    window_.ShowFile(path);
  }

  void ShowEnglishHelp() {
    window_.ShowFile(QStringLiteral(PAGELIGHT_HELP_DIR "/Sumvane_2057.help"));
  }

  QStringList ContentsTexts(int level) const {
    QStringList texts;
    for (const Heading& entry : window_.Contents()) {
      if (entry.level == level)
        texts << entry.text;
    }
    return texts;
  }

  int ContentsIndex(const QString& text) const {
    for (int index = 0; index < static_cast<int>(window_.Contents().size()); ++index) {
      if (window_.Contents()[index].text == text)
        return index;
    }
    return -1;
  }

  // The text of the block at the top of the view.
  QString TopBlockText() const {
    return window_.Page()->document()->findBlock(window_.TopPosition()).text();
  }

  int ScrollValue() const { return window_.Page()->verticalScrollBar()->value(); }

  QString SelectedText() const { return window_.Page()->textCursor().selectedText(); }
  int SelectionStart() const { return window_.Page()->textCursor().selectionStart(); }

  Scratch scratch_;
  HelpWindow window_;
};

TEST_F(HelpWindowTest, ShippedHelpFilesShowTitleAndSectionsInOrder) {
  const QStringList files = pagelight_test::ShippedHelpFiles();
  ASSERT_EQ(files.size(), 10);
  for (const QString& path : files) {
    SCOPED_TRACE(path.toStdString());
    const pagelight_test::Outline outline = pagelight_test::ReadOutline(path);
    window_.ShowFile(path);
    EXPECT_EQ(window_.Title(), outline.title);
    EXPECT_EQ(window_.windowTitle(), outline.title + QStringLiteral(" \u2014 Pagelight"));
    // Every help file has the same ten sections, so every contents list looks alike.
    EXPECT_EQ(outline.sections.size(), 10);
    EXPECT_EQ(ContentsTexts(2), outline.sections);
    ASSERT_FALSE(window_.Contents().empty());
    EXPECT_EQ(window_.Contents().front().text, outline.title);
    EXPECT_TRUE(window_.ContentsTree()->isVisible());
    EXPECT_EQ(window_.ContentsTree()->topLevelItemCount(), 11);
  }
}

TEST_F(HelpWindowTest, LevelThreeHeadingsNestUnderTheirSection) {
  ShowPage("# Guide\n\n## First\n\n### Detail A\n\n### Detail B\n\n## Second\n");
  EXPECT_EQ(ContentsTexts(2), (QStringList{"First", "Second"}));
  EXPECT_EQ(ContentsTexts(3), (QStringList{"Detail A", "Detail B"}));
  const QTreeWidgetItem* first = window_.ContentsTree()->topLevelItem(1);
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(first->childCount(), 2);
  EXPECT_EQ(first->child(1)->text(0), QStringLiteral("Detail B"));
}

TEST_F(HelpWindowTest, MissingFileShowsAMessageNamingIt) {
  const QString path = scratch_.Path(QStringLiteral("Sumvane_2057.help"));
  window_.ShowFile(path);
  EXPECT_EQ(window_.Title(), QStringLiteral("Help file not found"));
  EXPECT_EQ(window_.windowTitle(), QStringLiteral("Help file not found \u2014 Pagelight"));
  EXPECT_TRUE(window_.Page()->toPlainText().contains(path));
  EXPECT_FALSE(window_.ContentsTree()->isVisible());
  EXPECT_TRUE(window_.isVisible());
}

TEST_F(HelpWindowTest, StartWithoutFileShowsUsage) {
  window_.ShowUsage();
  EXPECT_EQ(window_.windowTitle(), QStringLiteral("Pagelight"));
  EXPECT_TRUE(window_.Page()->toPlainText().contains(QStringLiteral("pagelight <help file>")));
}

TEST_F(HelpWindowTest, FileWithoutTitleIsNamedAfterTheFile) {
  ShowPage("Only text.\n\n## Part\n");
  EXPECT_EQ(window_.windowTitle(), QStringLiteral("page.help \u2014 Pagelight"));
}

TEST_F(HelpWindowTest, ContentsClickScrollsTheHeadingToTheTop) {
  ShowEnglishHelp();
  const int index = ContentsIndex(QStringLiteral("Verifying a checksum"));
  ASSERT_GE(index, 0);
  QTreeWidgetItem* item = nullptr;
  for (QTreeWidgetItemIterator it(window_.ContentsTree()); *it; ++it) {
    if ((*it)->data(0, Qt::UserRole).toInt() == index)
      item = *it;
  }
  ASSERT_NE(item, nullptr);
  const QRect rect = window_.ContentsTree()->visualItemRect(item);
  QTest::mouseClick(window_.ContentsTree()->viewport(), Qt::LeftButton, {}, rect.center());
  EXPECT_GT(ScrollValue(), 0);
  EXPECT_EQ(TopBlockText(), QStringLiteral("Verifying a checksum"));
  EXPECT_TRUE(window_.CanGoBack());
}

TEST_F(HelpWindowTest, BackAndForwardAfterTwoContentsJumps) {
  ShowEnglishHelp();
  const int start = ScrollValue();
  window_.JumpToContentsEntry(ContentsIndex(QStringLiteral("Adding files")));
  const int first = ScrollValue();
  window_.JumpToContentsEntry(ContentsIndex(QStringLiteral("The result format")));
  const int second = ScrollValue();
  ASSERT_LT(start, first);
  ASSERT_LT(first, second);
  EXPECT_FALSE(window_.CanGoForward());

  window_.GoBack();
  EXPECT_EQ(ScrollValue(), first);
  EXPECT_EQ(TopBlockText(), QStringLiteral("Adding files"));
  window_.GoBack();
  EXPECT_EQ(ScrollValue(), start);
  EXPECT_FALSE(window_.CanGoBack());
  window_.GoBack();  // nothing further back
  EXPECT_EQ(ScrollValue(), start);

  window_.GoForward();
  EXPECT_EQ(ScrollValue(), first);
  window_.GoForward();
  EXPECT_EQ(ScrollValue(), second);
  EXPECT_EQ(TopBlockText(), QStringLiteral("The result format"));
  EXPECT_FALSE(window_.CanGoForward());
}

TEST_F(HelpWindowTest, RepeatedJumpToAnEntryNearTheEndAddsNoHistoryStep) {
  ShowEnglishHelp();
  // The last section cannot scroll to the top, so the view stands elsewhere after the jump.
  const int last = static_cast<int>(window_.Contents().size()) - 1;
  window_.JumpToContentsEntry(last);
  window_.JumpToContentsEntry(last);
  window_.GoBack();
  EXPECT_EQ(ScrollValue(), 0);
  EXPECT_FALSE(window_.CanGoBack());
}

TEST_F(HelpWindowTest, AltLeftAndAltRightStepThroughTheHistory) {
  ShowEnglishHelp();
  window_.JumpToContentsEntry(ContentsIndex(QStringLiteral("Adding files")));
  window_.JumpToContentsEntry(ContentsIndex(QStringLiteral("Languages")));
  window_.Page()->setFocus();
  QTest::keyClick(window_.Page(), Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(TopBlockText(), QStringLiteral("Adding files"));
  QTest::keyClick(window_.Page(), Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(TopBlockText(), QStringLiteral("Languages"));
}

TEST_F(HelpWindowTest, InPageLinkJumpsToItsHeadingAndBackReturns) {
  ShowPage(
      "# Guide\n\nSee [the end](#the-last-part) or [Ende](#%C3%BCber-das-ende).\n\n"
      "## Filler\n\n" +
      QByteArray("Line of filler text.\n\n").repeated(80) +
      "## The last part\n\nEnd.\n\n## Über das Ende\n\nMore.\n\n" +
      QByteArray("More filler.\n\n").repeated(40));
  window_.FollowLink(QUrl(QStringLiteral("#the-last-part")));
  EXPECT_EQ(TopBlockText(), QStringLiteral("The last part"));
  window_.GoBack();
  EXPECT_EQ(ScrollValue(), 0);
  window_.FollowLink(QUrl(QStringLiteral("#%C3%BCber-das-ende")));
  EXPECT_EQ(TopBlockText(), QStringLiteral("Über das Ende"));
}

TEST_F(HelpWindowTest, WebLinksGoToTheBrowserOtherLinksAreIgnored) {
  ShowPage("# Guide\n\ntext\n");
  QList<QUrl> opened;
  window_.SetWebLinkOpener([&opened](const QUrl& link) { opened << link; });
  window_.FollowLink(QUrl(QStringLiteral("https://example.com/a")));
  window_.FollowLink(QUrl(QStringLiteral("HTTP://example.com/b")));
  window_.FollowLink(QUrl(QStringLiteral("file:///etc/passwd")));
  window_.FollowLink(QUrl(QStringLiteral("other.help#guide")));
  window_.FollowLink(QUrl(QStringLiteral("#no-such-heading")));
  EXPECT_EQ(opened, (QList<QUrl>{QUrl(QStringLiteral("https://example.com/a")),
                                 QUrl(QStringLiteral("HTTP://example.com/b"))}));
  EXPECT_FALSE(window_.CanGoBack());
}

TEST_F(HelpWindowTest, FindNextAndPreviousWalkTheMatchesRoundTheEnds) {
  ShowPage("# Fruit\n\nAn apple a day.\n\nNo apple, no pie.\n\nThe last APPLE.\n");
  FindBar* finder = window_.Finder();
  finder->Field()->setText(QStringLiteral("apple"));
  const int first = SelectionStart();
  EXPECT_EQ(finder->StatusText(), QStringLiteral("1 of 3"));
  EXPECT_TRUE(finder->FindNext());
  const int second = SelectionStart();
  EXPECT_TRUE(finder->FindNext());
  const int third = SelectionStart();
  EXPECT_EQ(SelectedText(), QStringLiteral("APPLE"));
  EXPECT_EQ(finder->StatusText(), QStringLiteral("3 of 3"));
  EXPECT_LT(first, second);
  EXPECT_LT(second, third);

  EXPECT_TRUE(finder->FindNext());
  EXPECT_EQ(SelectionStart(), first);
  EXPECT_TRUE(finder->FindPrevious());
  EXPECT_EQ(SelectionStart(), third);
  EXPECT_TRUE(finder->FindPrevious());
  EXPECT_EQ(SelectionStart(), second);
  EXPECT_EQ(window_.Page()->extraSelections().size(), 3);
}

TEST_F(HelpWindowTest, FindSaysNotFoundAndHonoursMatchCase) {
  ShowPage("# Fruit\n\nAn apple a day.\n\nThe last APPLE.\n");
  FindBar* finder = window_.Finder();
  finder->Field()->setText(QStringLiteral("pear"));
  EXPECT_TRUE(finder->NotFound());
  EXPECT_EQ(finder->StatusText(), QStringLiteral("Not found"));
  EXPECT_FALSE(finder->FindNext());
  EXPECT_TRUE(window_.Page()->extraSelections().isEmpty());
  EXPECT_TRUE(SelectedText().isEmpty());

  finder->Field()->setText(QStringLiteral("APPLE"));
  EXPECT_EQ(finder->StatusText(), QStringLiteral("1 of 2"));
  finder->findChild<QCheckBox*>()->setChecked(true);
  EXPECT_EQ(finder->StatusText(), QStringLiteral("1 of 1"));
  EXPECT_EQ(SelectedText(), QStringLiteral("APPLE"));
}

TEST_F(HelpWindowTest, FindKeysOpenSearchAndCloseTheBar) {
  ShowPage("# Fruit\n\nOne apple.\n\nTwo apple.\n\nThree apple.\n");
  FindBar* finder = window_.Finder();
  window_.Page()->setFocus();
  QTest::keyClick(window_.Page(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(finder->isVisible());
  ASSERT_TRUE(finder->Field()->hasFocus());
  QTest::keyClicks(finder->Field(), QStringLiteral("apple"));
  const int first = SelectionStart();
  QTest::keyClick(finder->Field(), Qt::Key_Return);
  const int second = SelectionStart();
  EXPECT_GT(second, first);
  QTest::keyClick(finder->Field(), Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(SelectionStart(), first);
  QTest::keyClick(finder->Field(), Qt::Key_F3);
  EXPECT_EQ(SelectionStart(), second);
  QTest::keyClick(finder->Field(), Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(SelectionStart(), first);

  QTest::keyClick(finder->Field(), Qt::Key_Escape);
  EXPECT_FALSE(finder->isVisible());
  EXPECT_TRUE(window_.Page()->extraSelections().isEmpty());
  EXPECT_TRUE(window_.Page()->hasFocus());

  // F3 on the page goes on with the last search.
  QTest::keyClick(window_.Page(), Qt::Key_F3);
  EXPECT_TRUE(finder->isVisible());
  EXPECT_EQ(SelectionStart(), second);
}

TEST_F(HelpWindowTest, ZoomChangesTheFontSizeWithinLimits) {
  ShowEnglishHelp();
  const double normal = window_.Page()->font().pointSizeF();
  window_.ZoomIn();
  EXPECT_GT(window_.Page()->font().pointSizeF(), normal);
  EXPECT_GT(window_.ZoomPercent(), 100);
  window_.ResetZoom();
  EXPECT_DOUBLE_EQ(window_.Page()->font().pointSizeF(), normal);
  window_.ZoomOut();
  EXPECT_LT(window_.Page()->font().pointSizeF(), normal);

  for (int step = 0; step < 30; ++step)
    window_.ZoomOut();
  EXPECT_EQ(window_.ZoomPercent(), 50);
  EXPECT_GT(window_.Page()->font().pointSizeF(), 0);
  for (int step = 0; step < 30; ++step)
    window_.ZoomIn();
  EXPECT_EQ(window_.ZoomPercent(), 300);
}

TEST_F(HelpWindowTest, ZoomKeysWork) {
  ShowEnglishHelp();
  window_.Page()->setFocus();
  QTest::keyClick(window_.Page(), Qt::Key_Equal, Qt::ControlModifier);
  EXPECT_EQ(window_.ZoomPercent(), 110);
  QTest::keyClick(window_.Page(), Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(window_.ZoomPercent(), 125);
  QTest::keyClick(window_.Page(), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(window_.ZoomPercent(), 110);
  QTest::keyClick(window_.Page(), Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(window_.ZoomPercent(), 100);
}

TEST_F(HelpWindowTest, ZoomScalesCodeAndKeepsTheReadingPlace) {
  ShowEnglishHelp();
  window_.JumpToContentsEntry(ContentsIndex(QStringLiteral("The result format")));
  const QTextDocument* document = window_.Page()->document();
  QTextBlock code = document->begin();
  while (code.isValid() && !code.text().startsWith(QStringLiteral("/home/anna/Documents/locked"))) {
    code = code.next();
  }
  ASSERT_TRUE(code.isValid());
  const double code_line_height = code.layout()->lineAt(0).height();
  window_.ZoomIn();
  window_.ZoomIn();
  window_.ZoomIn();
  EXPECT_GT(code.layout()->lineAt(0).height(), code_line_height * 1.3);
  EXPECT_EQ(TopBlockText(), QStringLiteral("The result format"));
}

TEST_F(HelpWindowTest, CtrlQClosesTheWindow) {
  ShowEnglishHelp();
  QTest::keyClick(window_.Page(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window_.isVisible());
}

}  // namespace
}  // namespace pagelight

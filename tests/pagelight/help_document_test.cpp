#include "pagelight/help_document.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include "tests/pagelight/test_files.h"

namespace pagelight {
namespace {

using pagelight_test::Scratch;

TEST(HelpFileArgument, TakesTheFirstArgumentUnwrappingQuotes) {
  Scratch scratch;
  const QString quoted_name_on_disk = scratch.Write(QStringLiteral("\"odd\".help"), "# Odd\n");
  ASSERT_FALSE(quoted_name_on_disk.isEmpty());
  struct Case {
    QStringList arguments;
    QString expected;
  };
  const Case cases[] = {
      {{QStringLiteral("pagelight")}, QString()},
      {{QStringLiteral("pagelight"), QStringLiteral("/opt/s/Sumvane_2057.help")},
       QStringLiteral("/opt/s/Sumvane_2057.help")},
      {{QStringLiteral("pagelight"), QStringLiteral("a.help"), QStringLiteral("b.help")},
       QStringLiteral("a.help")},
      {{QStringLiteral("pagelight"), QStringLiteral("\"/opt/my help/Sumvane_1031.help\"")},
       QStringLiteral("/opt/my help/Sumvane_1031.help")},
      {{QStringLiteral("pagelight"), QStringLiteral("\"")}, QStringLiteral("\"")},
      {{QStringLiteral("pagelight"), quoted_name_on_disk}, quoted_name_on_disk},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.arguments.join(u' ').toStdString());
    EXPECT_EQ(HelpFileArgument(test.arguments), test.expected);
  }
}

TEST(ReadHelpFile, SaysWhyAFileCannotBeShown) {
  Scratch scratch;
  const QString big = scratch.Write(QStringLiteral("big.help"), "# Big\n");
  ASSERT_TRUE(QFile::resize(big, kMaxHelpFileBytes + 1));  // sparse, costs no disk
  struct Case {
    QString path;
    LoadStatus expected;
  };
  const Case cases[] = {
      {QString(), LoadStatus::kNoFileNamed},
      {scratch.Path(QStringLiteral("absent.help")), LoadStatus::kMissing},
      {scratch.Path(QString()), LoadStatus::kNotAFile},
      {QStringLiteral("/dev/zero"), LoadStatus::kNotAFile},  // would never end
      {big, LoadStatus::kTooLarge},
      {scratch.Write(QStringLiteral("empty.help"), ""), LoadStatus::kEmpty},
      {scratch.Write(QStringLiteral("blank.help"), " \n\r\n\t\n"), LoadStatus::kEmpty},
      {scratch.Write(QStringLiteral("ok.help"), "# Help\n"), LoadStatus::kLoaded},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.path.toStdString());
    const HelpFile file = ReadHelpFile(test.path);
    EXPECT_EQ(file.status, test.expected);
    EXPECT_EQ(file.path, test.path);
  }
}

TEST(ReadHelpFile, ReadErrorIsReportedWithTheSystemsReason) {
  // Reading the start of one's own memory image fails with an I/O error, also for root.
  const HelpFile file = ReadHelpFile(QStringLiteral("/proc/self/mem"));
  EXPECT_EQ(file.status, LoadStatus::kUnreadable);
  EXPECT_FALSE(file.reason.isEmpty());
}

TEST(ReadHelpFile, FileWithoutReadPermissionIsUnreadable) {
  if (geteuid() == 0)
    GTEST_SKIP() << "root reads every file";
  Scratch scratch;
  const QString path = scratch.Write(QStringLiteral("locked.help"), "# Locked\n");
  ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
  const HelpFile file = ReadHelpFile(path);
  EXPECT_EQ(file.status, LoadStatus::kUnreadable);
  EXPECT_FALSE(file.reason.isEmpty());
}

TEST(ReadHelpFile, ByteOrderMarkDoesNotHideTheTitle) {
  Scratch scratch;
  const QString path =
      scratch.Write(QStringLiteral("bom.help"), "\xEF\xBB\xBF# Hilfe\r\n\r\n## Teil\r\n");
  const HelpFile file = ReadHelpFile(path);
  ASSERT_EQ(file.status, LoadStatus::kLoaded);
  QTextDocument document;
  LoadMarkdown(&document, file.markdown);
  const std::vector<Heading> headings = FindHeadings(document);
  EXPECT_EQ(DocumentTitle(headings), QStringLiteral("Hilfe"));
  ASSERT_EQ(headings.size(), 2u);
  EXPECT_EQ(headings[1].text, QStringLiteral("Teil"));
}

TEST(ReadHelpFile, InvalidUtf8IsShownWithReplacementCharacters) {
  Scratch scratch;
  const QString path = scratch.Write(QStringLiteral("latin1.help"),
                                     "# Gr\xFC\xDF"
                                     "e\n");
  const HelpFile file = ReadHelpFile(path);
  ASSERT_EQ(file.status, LoadStatus::kLoaded);
  EXPECT_EQ(file.markdown, QStringLiteral("# Gr\uFFFD\uFFFDe\n"));
}

TEST(LoadMarkdown, RawHtmlIsShownAsText) {
  QTextDocument document;
  LoadMarkdown(&document, QStringLiteral("# T\n\n<b>bold</b> and <a href=\"x\">link</a>\n"));
  EXPECT_TRUE(document.toPlainText().contains(QStringLiteral("<b>bold</b>")));
}

TEST(LoadMessage, NamesTheFileLiterally) {
  const QString path = QStringLiteral("/tmp/<b>x</b> & [y](#z).help");
  const struct {
    LoadStatus status;
    QString title;
  } cases[] = {
      {LoadStatus::kMissing, QStringLiteral("Help file not found")},
      {LoadStatus::kNotAFile, QStringLiteral("Cannot show the help file")},
      {LoadStatus::kUnreadable, QStringLiteral("Cannot read the help file")},
      {LoadStatus::kTooLarge, QStringLiteral("Cannot show the help file")},
      {LoadStatus::kEmpty, QStringLiteral("Empty help file")},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.title.toStdString());
    QTextDocument document;
    LoadMessage(&document, HelpFile{test.status, path, {}, QStringLiteral("Input/output error")});
    EXPECT_EQ(DocumentTitle(FindHeadings(document)), test.title);
    EXPECT_TRUE(document.toPlainText().contains(path));
  }
  QTextDocument unreadable;
  LoadMessage(&unreadable,
              HelpFile{LoadStatus::kUnreadable, path, {}, QStringLiteral("Input/output error")});
  EXPECT_TRUE(unreadable.toPlainText().contains(QStringLiteral("Input/output error")));
}

TEST(LoadMessage, UsageNamesTheCommand) {
  QTextDocument document;
  LoadMessage(&document, HelpFile{});
  EXPECT_EQ(DocumentTitle(FindHeadings(document)), QStringLiteral("Pagelight"));
  EXPECT_TRUE(document.toPlainText().contains(QStringLiteral("pagelight <help file>")));
}

TEST(HeadingAnchor, KeepsLettersAndDigitsOfAnyScript) {
  const struct {
    const char16_t* text;
    const char16_t* anchor;
  } cases[] = {
      {u"Adding files", u"adding-files"},
      {u"Prüfsummen berechnen", u"prüfsummen-berechnen"},
      {u"Sumvane でできること", u"sumvane-でできること"},
      {u"Что делает Sumvane", u"что-делает-sumvane"},
      {u"What's new? (v2.1)", u"whats-new-v21"},
      {u"Saving & copying", u"saving--copying"},
      {u"  snake_case and-dash  ", u"snake_case-and-dash"},
      {u"結果の保存とコピー（CSV）", u"結果の保存とコピーcsv"},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(HeadingAnchor(QString::fromUtf16(test.text)), QString::fromUtf16(test.anchor));
  }
}

TEST(FindHeadings, ListsLevelsPositionsAndUniqueAnchors) {
  QTextDocument document;
  LoadMarkdown(&document, QStringLiteral("# Title\n\nIntro.\n\n## Part\n\nText.\n\n### Detail\n\n"
                                         "## Part\n\n```\n## not a heading\n```\n"));
  const std::vector<Heading> headings = FindHeadings(document);
  ASSERT_EQ(headings.size(), 4u);
  const int levels[] = {1, 2, 3, 2};
  const char16_t* anchors[] = {u"title", u"part", u"detail", u"part-1"};
  for (std::size_t index = 0; index < headings.size(); ++index) {
    EXPECT_EQ(headings[index].level, levels[index]);
    EXPECT_EQ(headings[index].anchor, QString::fromUtf16(anchors[index]));
    EXPECT_EQ(document.findBlock(headings[index].position).text(), headings[index].text);
  }
  EXPECT_EQ(DocumentTitle(headings), QStringLiteral("Title"));
}

TEST(FindHeadings, DocumentWithoutTitleHasEmptyTitle) {
  QTextDocument document;
  LoadMarkdown(&document, QStringLiteral("Just text.\n\n## Part\n"));
  EXPECT_EQ(DocumentTitle(FindHeadings(document)), QString());
}

TEST(FindAnchor, ResolvesHeadingAnchorsTextsAndNamedAnchors) {
  QTextDocument document;
  document.setHtml(
      QStringLiteral("<h1>Title</h1><p>one</p><h2>Adding files</h2><p>two</p>"
                     "<h2>Prüfsummen berechnen</h2><p><a name=\"spot\">here</a></p>"));
  const std::vector<Heading> headings = FindHeadings(document);
  ASSERT_EQ(headings.size(), 3u);
  EXPECT_EQ(FindAnchor(document, headings, QStringLiteral("adding-files")), headings[1].position);
  EXPECT_EQ(FindAnchor(document, headings, QStringLiteral("Adding Files")), headings[1].position);
  const QString decoded =
      QUrl(QStringLiteral("#pr%C3%BCfsummen-berechnen")).fragment(QUrl::FullyDecoded);
  EXPECT_EQ(FindAnchor(document, headings, decoded), headings[2].position);
  const std::optional<int> spot = FindAnchor(document, headings, QStringLiteral("spot"));
  ASSERT_TRUE(spot.has_value());
  EXPECT_EQ(document.findBlock(*spot).text(), QStringLiteral("here"));
  EXPECT_EQ(FindAnchor(document, headings, QStringLiteral("nowhere")), std::nullopt);
  EXPECT_EQ(FindAnchor(document, headings, QString()), std::nullopt);
}

}  // namespace
}  // namespace pagelight

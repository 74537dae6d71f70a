// Reading a help file and finding its way marks: title, headings and their anchors.
//
// Uses Qt's text document but no widgets, so it can be checked without a window.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>
#include <vector>

class QTextDocument;

namespace pagelight {

enum class LoadStatus {
  kLoaded,
  kNoFileNamed,  // started without an argument
  kMissing,
  kNotAFile,  // a folder, a device, a pipe
  kUnreadable,
  kTooLarge,
  kEmpty,
};

struct HelpFile {
  LoadStatus status = LoadStatus::kNoFileNamed;
  QString path;
  QString markdown;  // the text, when loaded
  QString reason;    // the system's words, when unreadable
};

// No help file comes near this; anything bigger is not one, and reading it would only stall.
inline constexpr qint64 kMaxHelpFileBytes = 16 * 1024 * 1024;

// The help file named on the command line (`arguments` as QCoreApplication::arguments() gives
// them, the program first), or empty. A name wrapped in double quotes is unwrapped unless a file
// of that exact name exists: a caller may quote the name as it would on a command line.
QString HelpFileArgument(const QStringList& arguments);

// Reads the file as UTF-8 (invalid bytes become replacement characters, a byte-order mark is
// dropped). Reads only regular files, at most kMaxHelpFileBytes.
HelpFile ReadHelpFile(const QString& path);

// Replaces the document's content with the Markdown text. Raw HTML is shown as text, as the help
// format has none.
void LoadMarkdown(QTextDocument* document, const QString& markdown);

// Replaces the document's content with a short page that says why nothing else is shown:
// the usage for kNoFileNamed, otherwise what is wrong with the file, naming it.
void LoadMessage(QTextDocument* document, const HelpFile& file);

struct Heading {
  int level = 0;
  QString text;
  QString anchor;    // unique within the document
  int position = 0;  // of the heading's block in the document
};

// The anchor that an in-page link uses for a heading: lower case, letters, digits, marks, "_" and
// "-" kept, spaces turned into "-", other characters dropped ("Adding files" -> "adding-files").
// Qt's Markdown reader gives headings no anchors, so the viewer makes them.
QString HeadingAnchor(const QString& heading_text);

// Every heading of the document in document order. A repeated anchor gets "-1", "-2", ... added.
std::vector<Heading> FindHeadings(const QTextDocument& document);

// The first level-1 heading's text, or empty.
QString DocumentTitle(const std::vector<Heading>& headings);

// The document position an in-page link "#fragment" leads to (the fragment already
// percent-decoded, without "#"): a heading anchor, the anchor of the fragment taken as heading
// text ("#Adding Files"), or an anchor name set in the document. Nothing when none matches.
std::optional<int> FindAnchor(const QTextDocument& document, const std::vector<Heading>& headings,
                              const QString& fragment);

}  // namespace pagelight

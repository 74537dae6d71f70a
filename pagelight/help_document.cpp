#include "pagelight/help_document.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>

#include <array>
#include <iterator>
#include <set>

namespace pagelight {

namespace {

// What the window says instead of a help page. "%1" is the file name, "%2" the system's reason.
struct MessageText {
  LoadStatus status;
  const char* title;
  const char* body;
};

constexpr std::array kMessages = {
    MessageText{LoadStatus::kNoFileNamed, "Pagelight",
                "<p>Pagelight shows a help file. Name the file when you start it:</p>"
                "<pre>pagelight &lt;help file&gt;</pre>"
                "<p>For example: <code>pagelight Sumvane_2057.help</code></p>"},
    MessageText{LoadStatus::kMissing, "Help file not found",
                "<p>The help file <code>%1</code> does not exist.</p>"
                "<p>The help files lie beside the program; installing the program again brings "
                "them back.</p>"},
    MessageText{LoadStatus::kNotAFile, "Cannot show the help file",
                "<p><code>%1</code> is not a help file: it is a folder or a special file.</p>"},
    MessageText{LoadStatus::kUnreadable, "Cannot read the help file",
                "<p>The help file <code>%1</code> could not be read: %2.</p>"},
    MessageText{LoadStatus::kTooLarge, "Cannot show the help file",
                "<p>The file <code>%1</code> is far larger than any help file, so it is not "
                "shown.</p>"},
    MessageText{LoadStatus::kEmpty, "Empty help file",
                "<p>The help file <code>%1</code> contains nothing to show.</p>"},
};

// Replaces "%1", "%2", ... in one pass, so that a "%2" inside the first value stays as it is.
QString FillIn(const QString& pattern, const QStringList& values) {
  QString result;
  for (qsizetype index = 0; index < pattern.size(); ++index) {
    const QChar next = index + 1 < pattern.size() ? pattern.at(index + 1) : QChar();
    const int value = next.digitValue() - 1;
    if (pattern.at(index) == u'%' && value >= 0 && value < values.size()) {
      result += values.at(value);
      ++index;
    } else {
      result += pattern.at(index);
    }
  }
  return result;
}

bool IsWrappedInQuotes(const QString& text) {
  return text.size() >= 2 && text.front() == u'"' && text.back() == u'"';
}

bool KeepsInAnchor(char32_t code_point) {
  switch (QChar::category(code_point)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Number_Other:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
      return true;
    default:
      return code_point == U'_' || code_point == U'-';
  }
}

}  // namespace

QString HelpFileArgument(const QStringList& arguments) {
  if (arguments.size() < 2)
    return {};
  const QString& name = arguments.at(1);
  if (IsWrappedInQuotes(name) && !QFileInfo::exists(name))
    return name.mid(1, name.size() - 2);
  return name;
}

HelpFile ReadHelpFile(const QString& path) {
  HelpFile file;
  file.path = path;
  if (path.isEmpty()) {
    file.status = LoadStatus::kNoFileNamed;
    return file;
  }
  const QFileInfo info(path);
  if (!info.exists()) {
    file.status = LoadStatus::kMissing;
    return file;
  }
  // A pipe or a device could block or never end; only a regular file is read.
  if (!info.isFile()) {
    file.status = LoadStatus::kNotAFile;
    return file;
  }
  if (info.size() > kMaxHelpFileBytes) {
    file.status = LoadStatus::kTooLarge;
    return file;
  }
  QFile input(path);
  if (!input.open(QIODevice::ReadOnly)) {
    file.status = LoadStatus::kUnreadable;
    file.reason = input.errorString();
    return file;
  }
  // The size may have changed since it was looked at; read no more than the limit allows.
  const QByteArray bytes = input.read(kMaxHelpFileBytes + 1);
  if (input.error() != QFileDevice::NoError) {
    file.status = LoadStatus::kUnreadable;
    file.reason = input.errorString();
    return file;
  }
  if (bytes.size() > kMaxHelpFileBytes) {
    file.status = LoadStatus::kTooLarge;
    return file;
  }
  // The decoder drops a byte-order mark, which would otherwise hide the title's "#".
  QStringDecoder decoder(QStringDecoder::Utf8);
  file.markdown = decoder(bytes);
  file.status = file.markdown.trimmed().isEmpty() ? LoadStatus::kEmpty : LoadStatus::kLoaded;
  return file;
}

void LoadMarkdown(QTextDocument* document, const QString& markdown) {
  document->setMarkdown(markdown,
                        QTextDocument::MarkdownFeatures(QTextDocument::MarkdownDialectGitHub |
                                                        QTextDocument::MarkdownNoHTML));
}

void LoadMessage(QTextDocument* document, const HelpFile& file) {
  const MessageText* message = &kMessages.front();
  for (const MessageText& candidate : kMessages) {
    if (candidate.status == file.status)
      message = &candidate;
  }
  const QString body = FillIn(QString::fromUtf8(message->body),
                              {file.path.toHtmlEscaped(), file.reason.toHtmlEscaped()});
  document->setHtml(QStringLiteral("<h1>%1</h1>%2").arg(QString::fromUtf8(message->title), body));
}

QString HeadingAnchor(const QString& heading_text) {
  QString anchor;
  for (const char32_t code_point : heading_text.trimmed().toLower().toUcs4()) {
    if (QChar::isSpace(code_point)) {
      anchor += u'-';
    } else if (KeepsInAnchor(code_point)) {
      anchor += QString::fromUcs4(&code_point, 1);
    }
  }
  return anchor;
}

std::vector<Heading> FindHeadings(const QTextDocument& document) {
  std::vector<Heading> headings;
  std::set<QString> anchors_taken;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const int level = block.blockFormat().headingLevel();
    if (level == 0)
      continue;
    Heading heading;
    heading.level = level;
    heading.text = block.text().trimmed();
    heading.position = block.position();
    const QString base = HeadingAnchor(heading.text);
    heading.anchor = base;
    for (int suffix = 1; anchors_taken.count(heading.anchor) != 0; ++suffix) {
      heading.anchor = base + u'-' + QString::number(suffix);
    }
    anchors_taken.insert(heading.anchor);
    headings.push_back(heading);
  }
  return headings;
}

QString DocumentTitle(const std::vector<Heading>& headings) {
  for (const Heading& heading : headings) {
    if (heading.level == 1)
      return heading.text;
  }
  return {};
}

std::optional<int> FindAnchor(const QTextDocument& document, const std::vector<Heading>& headings,
                              const QString& fragment) {
  const QString wanted[] = {fragment, HeadingAnchor(fragment)};
  for (const QString& anchor : wanted) {
    for (const Heading& heading : headings) {
      if (!anchor.isEmpty() && heading.anchor == anchor)
        return heading.position;
    }
  }
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
      if (piece.fragment().charFormat().anchorNames().contains(fragment)) {
        return piece.fragment().position();
      }
    }
  }
  return std::nullopt;
}

}  // namespace pagelight

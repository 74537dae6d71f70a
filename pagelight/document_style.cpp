#include "pagelight/document_style.h"

#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <array>
#include <vector>

namespace pagelight {

namespace {

// Marks the frames this file makes around code blocks, to find them again for spacing.
constexpr int kCodeFrameProperty = QTextFormat::UserProperty + 1;

enum class BlockKind { kOther, kSpacer, kParagraph, kListItem, kHeading1, kHeading2, kHeading3 };

// Space above and below each kind of block at normal size, in pixels. Adjacent margins collapse.
struct BlockSpacing {
  BlockKind kind;
  double top;
  double bottom;
};

constexpr std::array kBlockSpacing = {
    BlockSpacing{BlockKind::kParagraph, 7, 7}, BlockSpacing{BlockKind::kListItem, 3, 3},
    BlockSpacing{BlockKind::kHeading1, 4, 14}, BlockSpacing{BlockKind::kHeading2, 26, 8},
    BlockSpacing{BlockKind::kHeading3, 18, 6},
};

constexpr double kCodeBoxPadding = 8;
// A code line too long for the page wraps, its continuation indented by this much.
constexpr double kCodeWrapIndent = 28;
constexpr double kCodeBoxTop = 6;
constexpr double kCodeBoxBottom = 10;
constexpr double kTableCellPadding = 5;
constexpr double kTableTop = 6;
constexpr double kTableBottom = 10;

QColor Mix(const QColor& from, const QColor& to, double amount) {
  return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * amount,
                          from.greenF() + (to.greenF() - from.greenF()) * amount,
                          from.blueF() + (to.blueF() - from.blueF()) * amount);
}

struct Colours {
  QColor heading;
  QColor code_background;
  QColor code_border;
  QColor inline_code_background;
  QColor table_rule;
  QColor table_header;
};

Colours ColoursFor(const QPalette& palette) {
  const QColor text = palette.color(QPalette::Text);
  const QColor base = palette.color(QPalette::Base);
  return {Mix(text, palette.color(QPalette::Highlight), 0.55),
          Mix(base, text, 0.045),
          Mix(base, text, 0.14),
          Mix(base, text, 0.07),
          Mix(base, text, 0.2),
          Mix(base, text, 0.06)};
}

// The Markdown reader marks fenced and indented code alike as lines that must not break.
bool IsCodeBlock(const QTextBlock& block) {
  return block.blockFormat().hasProperty(QTextFormat::BlockCodeFence) ||
         block.blockFormat().nonBreakableLines();
}

// Code spans and code lines carry the reader's fixed-pitch font.
bool IsCodeText(const QTextCharFormat& format) {
  return format.fontFixedPitch() || format.hasProperty(QTextFormat::FontFamilies);
}

bool InRootFrame(const QTextDocument& document, const QTextBlock& block) {
  return QTextCursor(block).currentFrame() == document.rootFrame();
}

bool InCodeBox(const QTextBlock& block) {
  const QTextFrame* frame = QTextCursor(block).currentFrame();
  return frame != nullptr && frame->frameFormat().hasProperty(kCodeFrameProperty);
}

BlockKind KindOf(const QTextBlock& block) {
  constexpr std::array kHeadingKinds = {BlockKind::kHeading1, BlockKind::kHeading2,
                                        BlockKind::kHeading3};
  const int level = block.blockFormat().headingLevel();
  if (level >= 1 && level <= 3)
    return kHeadingKinds[level - 1];
  if (level > 3)
    return BlockKind::kHeading3;
  if (block.textList() != nullptr)
    return BlockKind::kListItem;
  if (block.text().isEmpty())
    return BlockKind::kSpacer;
  if (IsCodeBlock(block))
    return BlockKind::kOther;
  return BlockKind::kParagraph;
}

void BoxCodeBlocks(QTextDocument* document, const Colours& colours) {
  struct Run {
    int start;
    int end;
  };
  std::vector<Run> runs;
  bool previous_was_code = false;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    const bool code = IsCodeBlock(block) && InRootFrame(*document, block);
    const int end = block.position() + block.length() - 1;
    if (code && previous_was_code) {
      runs.back().end = end;
    } else if (code) {
      runs.push_back({block.position(), end});
    }
    previous_was_code = code;
  }
  QTextFrameFormat box;
  box.setBackground(colours.code_background);
  box.setBorder(1);
  box.setBorderBrush(colours.code_border);
  box.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
  box.setProperty(kCodeFrameProperty, true);
  // From the last run backwards, so that the positions of the earlier ones stay valid.
  for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
    QTextCursor cursor(document);
    cursor.setPosition(run->start);
    cursor.setPosition(run->end, QTextCursor::KeepAnchor);
    cursor.insertFrame(box);
  }
}

void StyleText(QTextDocument* document, const Colours& colours) {
  struct Span {
    int start;
    int end;
    QTextCharFormat format;
  };
  std::vector<Span> spans;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    const bool heading = block.blockFormat().headingLevel() != 0;
    const bool code_line = InCodeBox(block);
    for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
      const QTextFragment fragment = piece.fragment();
      QTextCharFormat format = fragment.charFormat();
      if (heading) {
        format.setForeground(colours.heading);
      } else if (IsCodeText(format)) {
        // The reader gives code a fixed point size, which zooming would not change.
        format.clearProperty(QTextFormat::FontPointSize);
        if (!code_line)
          format.setBackground(colours.inline_code_background);
      } else {
        continue;
      }
      spans.push_back({fragment.position(), fragment.position() + fragment.length(), format});
    }
  }
  for (const Span& span : spans) {
    QTextCursor cursor(document);
    cursor.setPosition(span.start);
    cursor.setPosition(span.end, QTextCursor::KeepAnchor);
    cursor.setCharFormat(span.format);
  }
}

void CollectTables(QTextFrame* frame, std::vector<QTextTable*>& tables) {
  for (QTextFrame* child : frame->childFrames()) {
    if (auto* table = qobject_cast<QTextTable*>(child))
      tables.push_back(table);
    CollectTables(child, tables);
  }
}

std::vector<QTextTable*> TablesOf(QTextDocument* document) {
  std::vector<QTextTable*> tables;
  CollectTables(document->rootFrame(), tables);
  return tables;
}

void StyleTables(QTextDocument* document, const Colours& colours) {
  for (QTextTable* table : TablesOf(document)) {
    QTextTableFormat format = table->format();
    format.setBorder(1);
    format.setBorderBrush(colours.table_rule);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    table->setFormat(format);
    // A Markdown table always starts with its header row.
    for (int column = 0; column < table->columns(); ++column) {
      QTextTableCell cell = table->cellAt(0, column);
      QTextCharFormat cell_format = cell.format();
      cell_format.setBackground(colours.table_header);
      cell.setFormat(cell_format);
    }
  }
}

}  // namespace

void StyleDocument(QTextDocument* document, const QPalette& palette) {
  const Colours colours = ColoursFor(palette);
  BoxCodeBlocks(document, colours);
  StyleText(document, colours);
  StyleTables(document, colours);
}

void SetSpacing(QTextDocument* document, double zoom_factor) {
  struct Change {
    int position;
    QTextBlockFormat format;
  };
  std::vector<Change> changes;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    if (InCodeBox(block)) {
      // Long code lines wrap rather than widen the whole page; the hanging indent shows which
      // lines are continuations.
      QTextBlockFormat format = block.blockFormat();
      format.setNonBreakableLines(false);
      format.setLeftMargin(kCodeWrapIndent * zoom_factor);
      format.setTextIndent(-kCodeWrapIndent * zoom_factor);
      changes.push_back({block.position(), format});
      continue;
    }
    if (!InRootFrame(*document, block))
      continue;
    const BlockKind kind = KindOf(block);
    if (kind == BlockKind::kSpacer) {
      // The empty blocks that the document keeps around every table and code box would add a
      // blank line each; the box margins give the space instead.
      QTextBlockFormat format = block.blockFormat();
      format.setTopMargin(0);
      format.setBottomMargin(0);
      format.setLineHeight(0, QTextBlockFormat::FixedHeight);
      changes.push_back({block.position(), format});
      continue;
    }
    for (const BlockSpacing& spacing : kBlockSpacing) {
      if (spacing.kind != kind)
        continue;
      QTextBlockFormat format = block.blockFormat();
      format.setTopMargin(spacing.top * zoom_factor);
      format.setBottomMargin(spacing.bottom * zoom_factor);
      changes.push_back({block.position(), format});
    }
  }
  QTextCursor cursor(document);
  cursor.beginEditBlock();
  for (const Change& change : changes) {
    cursor.setPosition(change.position);
    cursor.setBlockFormat(change.format);
  }
  for (QTextFrame* frame : document->rootFrame()->childFrames()) {
    QTextFrameFormat format = frame->frameFormat();
    if (!format.hasProperty(kCodeFrameProperty))
      continue;
    format.setPadding(kCodeBoxPadding * zoom_factor);
    format.setTopMargin(kCodeBoxTop * zoom_factor);
    format.setBottomMargin(kCodeBoxBottom * zoom_factor);
    frame->setFrameFormat(format);
  }
  for (QTextTable* table : TablesOf(document)) {
    QTextTableFormat format = table->format();
    format.setCellPadding(kTableCellPadding * zoom_factor);
    format.setTopMargin(kTableTop * zoom_factor);
    format.setBottomMargin(kTableBottom * zoom_factor);
    table->setFormat(format);
  }
  cursor.endEditBlock();
}

}  // namespace pagelight
